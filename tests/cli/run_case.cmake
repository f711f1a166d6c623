cmake_minimum_required(VERSION 3.25)
# Runs one command-line golden case: CASE names a .args file with one argument
# per line ("@FIXTURES@" stands for the fixtures folder, "<empty>" for an
# empty argument); the program's stdout, stderr and exit code are compared with
# the .expected file beside it. QUILLFEN_REWRITE_GOLDEN=1 in the environment
# rewrites the expected file instead.
file(STRINGS "${CASE}" lines)
set(args)
foreach(line IN LISTS lines)
  string(REPLACE "@FIXTURES@" "${FIXTURES}" line "${line}")
  if(line STREQUAL "<empty>")
    set(line "")
  endif()
  list(APPEND args "${line}")
endforeach()
execute_process(COMMAND "${PROGRAM}" ${args}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
set(actual "${out}[stderr]\n${err}[exit ${code}]\n")
string(REGEX REPLACE "\\.args$" ".expected" expected_file "${CASE}")
include("${CMAKE_CURRENT_LIST_DIR}/golden_compare.cmake")
compare_with_golden("${actual}" "${expected_file}")
