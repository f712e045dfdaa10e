# Fails when code of a library includes a header of a folder it may not use,
# so an include upward or sideways is caught even though every target sees
# the whole tree, and when code outside app and platform/qt includes a Qt
# header.
#   cmake -DROOT=<project folder> -P cmake/CheckLayering.cmake
cmake_minimum_required(VERSION 3.25)

# The folders a library's code uses directly, besides its own; what they may
# use it may use too. platform/qt is Qt: only the program uses it.
set(uses_platform)
set(uses_platform/registry platform)
set(uses_platform/jpeg platform)
set(uses_platform/ftp platform)
set(uses_platform/qt platform)
set(uses_resources)
set(uses_foundation platform/registry platform/jpeg platform/ftp)
set(uses_foundation/config foundation)
set(uses_metadata foundation/config)
set(uses_texts foundation/config)
set(uses_photos metadata texts)
set(uses_gallery metadata resources texts photos)
set(uses_app gallery platform/qt)
set(libraries platform platform/registry platform/jpeg platform/ftp platform/qt resources
    foundation foundation/config metadata texts photos gallery app)

# The folder itself and everything it may use, directly or through another.
function(allowed_folders folder out)
  set(result ${folder})
  foreach(used ${uses_${folder}})
    allowed_folders(${used} below)
    list(APPEND result ${below})
  endforeach()
  list(REMOVE_DUPLICATES result)
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# The library a project path belongs to: the nearest folder above it that is
# one; empty when none is.
function(library_of path out)
  get_filename_component(dir ${path} DIRECTORY)
  while(dir AND NOT dir IN_LIST libraries)
    get_filename_component(dir ${dir} DIRECTORY)
  endwhile()
  set(${out} "${dir}" PARENT_SCOPE)
endfunction()

# The project paths one source includes, by "..." or <...>.
function(project_includes file out)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  set(result)
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" path "${line}")
    string(REGEX REPLACE "/.*" "" top "${path}")
    if(path MATCHES "/" AND IS_DIRECTORY ${ROOT}/${top})
      list(APPEND result ${path})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# The Qt headers one source includes: <QString>, <QtWidgets/QDialog>.
function(qt_includes file out)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q")
  set(${out} ${lines} PARENT_SCOPE)
endfunction()
# Only these know the window toolkit.
set(qt_libraries platform/qt app)

set(faults 0)
set(globs)
foreach(library ${libraries})
  list(APPEND globs ${ROOT}/${library}/*)
endforeach()
file(GLOB_RECURSE sources RELATIVE ${ROOT} ${globs})
list(REMOVE_DUPLICATES sources)
list(FILTER sources INCLUDE REGEX "\\.(cpp|h)$")
foreach(source ${sources})
  library_of(${source} library)
  allowed_folders(${library} allowed)
  project_includes(${ROOT}/${source} includes)
  foreach(include ${includes})
    library_of(${include} used)
    if(NOT used IN_LIST allowed)
      message(SEND_ERROR "${source} (${library}) may not include \"${include}\"")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
  if(NOT library IN_LIST qt_libraries)
    qt_includes(${ROOT}/${source} qt)
    foreach(line ${qt})
      message(SEND_ERROR "${source} (${library}) may not use Qt: ${line}")
      math(EXPR faults "${faults} + 1")
    endforeach()
  endif()
endforeach()
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) against the layering")
endif()
