# Warning and sanitizer flags shared by every target of the project.
add_compile_options(-Wall -Wextra)
if(QUILLMARSH_WERROR)
  add_compile_options(-Werror)
endif()

if(QUILLMARSH_SANITIZE)
  # Any sanitizer report must fail the run, so nothing recovers.
  set(qm_sanitize -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${qm_sanitize})
  add_link_options(${qm_sanitize})
endif()

# Collects the .cpp files of one folder; each folder holds one library.
function(quillmarsh_sources out dir)
  file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${out} ${found} PARENT_SCOPE)
endfunction()
