# Runs one command-line golden case: quillfen-report with the arguments in
# CASE.cmd, from the fixtures folder, under LANG=C. Its standard output, then
# its standard error and exit code when there are any, must equal CASE.out.
# With QUILLFEN_UPDATE_GOLDEN=1 in the environment the output is written to
# CASE.out instead.
#   cmake -DPROGRAM=... -DCASE=<path without extension> -DFIXTURES=... -DWORK=... -P run_golden.cmake
file(READ "${CASE}.cmd" arguments)
string(STRIP "${arguments}" arguments)
separate_arguments(arguments UNIX_COMMAND "${arguments}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env LANG=C LC_ALL=C ${PROGRAM} ${arguments}
  WORKING_DIRECTORY "${FIXTURES}"
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE code)
if(NOT errors STREQUAL "" OR NOT code EQUAL 0)
  string(APPEND output "--- stderr ---\n${errors}--- exit ${code} ---\n")
endif()

if("$ENV{QUILLFEN_UPDATE_GOLDEN}" STREQUAL "1")
  file(WRITE "${CASE}.out" "${output}")
  message(STATUS "rewrote ${CASE}.out")
  return()
endif()

get_filename_component(name "${CASE}" NAME)
set(actual "${WORK}/${name}.actual")
file(WRITE "${actual}" "${output}")
execute_process(COMMAND diff -u "${CASE}.out" "${actual}" OUTPUT_VARIABLE difference RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "output differs from ${CASE}.out (QUILLFEN_UPDATE_GOLDEN=1 rewrites it):\n${difference}")
endif()
