# Warning and sanitizer flags shared by every target of the project.
add_compile_options(-Wall -Wextra)
# Implicit narrowing and sign changes are where sizes read from files turn into
# wrong offsets; the rest catch casts, hidden names and slicing destructors.
# Third-party headers come in as system includes, so these judge our code only.
add_compile_options(-Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
  -Wnon-virtual-dtor -Woverloaded-virtual)
if(QUILLMARSH_WERROR)
  add_compile_options(-Werror)
endif()

if(QUILLMARSH_SANITIZE)
  # Any sanitizer report must fail the run, so nothing recovers.
  set(qm_sanitize -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${qm_sanitize})
  add_link_options(${qm_sanitize})
endif()

# Collects the .cpp files of one folder and, for a library whose subfolders
# say what its parts are for (photos/batch, app/browser), of the subfolders
# without a CMakeLists.txt of their own.
function(quillmarsh_sources out dir)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp)
  file(GLOB_RECURSE own_lists ${dir}/*/CMakeLists.txt)
  foreach(list ${own_lists})
    get_filename_component(sub ${list} DIRECTORY)
    list(FILTER found EXCLUDE REGEX "^${sub}/")
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# The library of one folder and its parts' subfolders: every .cpp file in
# them but those given after EXCLUDE (paths from the folder), linked with the
# given libraries. A folder with no sources yet makes no library.
#   quillmarsh_library(app gallery Qt6::Widgets EXCLUDE start/main.cpp)
function(quillmarsh_library name)
  cmake_parse_arguments(arg "" "" "EXCLUDE" ${ARGN})
  quillmarsh_sources(sources ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(excluded ${arg_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC ${arg_UNPARSED_ARGUMENTS})
endfunction()

# Adds every subfolder of the current folder that has a CMakeLists.txt.
function(quillmarsh_add_subfolders)
  file(GLOB dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(dir ${dirs})
    if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
