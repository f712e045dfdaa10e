# The layering check over small trees: each must pass or fail as its name
# says, and a failure must name the include at fault.
#   cmake -DCHECK=<CheckLayering.cmake> -DCASES=<this folder> -P CheckLayeringCases.cmake
cmake_minimum_required(VERSION 3.25)

set(faults 0)
function(expect tree should_pass)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${CASES}/${tree} -P ${CHECK}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(should_pass AND NOT result EQUAL 0)
    message(SEND_ERROR "${tree}: refused\n${out}")
    math(EXPR faults "${faults} + 1")
  elseif(NOT should_pass AND result EQUAL 0)
    message(SEND_ERROR "${tree}: passed")
    math(EXPR faults "${faults} + 1")
  endif()
  foreach(expected ${ARGN})
    string(FIND "${out}" "${expected}" at)
    if(at EQUAL -1)
      message(SEND_ERROR "${tree}: does not say \"${expected}\"\n${out}")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
  set(faults ${faults} PARENT_SCOPE)
endfunction()

expect(allowed TRUE)
expect(upward FALSE "photos/Work.h (photos) may not include \"app/Window.h\""
       "photos/Work.h (photos) may not use Qt")
expect(sideways FALSE "texts/Table.h (texts) may not include \"metadata/exif.h\"")
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} case(s) of the layering check went wrong")
endif()
