# Fails when one of the given programs needs Qt Widgets: only the program and
# its window tests may, so the fuzz targets and the library tests run without
# a window toolkit.
#   cmake -P cmake/CheckNoWidgets.cmake <program>...
cmake_minimum_required(VERSION 3.25)

find_program(readelf readelf REQUIRED)
set(faults 0)
# CMAKE_ARGV0 is cmake, 1 is -P, 2 this script.
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE 3 ${last})
  set(program "${CMAKE_ARGV${i}}")
  execute_process(COMMAND ${readelf} --dynamic ${program} OUTPUT_VARIABLE dynamic
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(SEND_ERROR "${program}: cannot be read")
    math(EXPR faults "${faults} + 1")
  elseif(dynamic MATCHES "libQt6Widgets")
    message(SEND_ERROR "${program} links Qt Widgets")
    math(EXPR faults "${faults} + 1")
  endif()
endforeach()
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} program(s) link Qt Widgets")
endif()
