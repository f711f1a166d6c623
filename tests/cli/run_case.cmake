cmake_minimum_required(VERSION 3.25)
# Runs one command-line golden case: CASE names a .args file with one argument
# per line ("@FIXTURES@" stands for the fixtures folder, "<empty>" for an
# empty argument); the program's stdout, stderr and exit code are compared with
# the .expected file beside it. The program runs in the fixtures folder, so
# plain file names name fixtures too. QUILLFEN_UPDATE_GOLDEN=1 (or
# QUILLFEN_REWRITE_GOLDEN) in the environment rewrites the expected file instead.
file(STRINGS "${CASE}" lines)
set(args)
foreach(line IN LISTS lines)
  string(REPLACE "@FIXTURES@" "${FIXTURES}" line "${line}")
  if(line STREQUAL "<empty>")
    set(line "")
  endif()
  list(APPEND args "${line}")
endforeach()
execute_process(COMMAND "${PROGRAM}" ${args} WORKING_DIRECTORY "${FIXTURES}"
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
set(actual "${out}[stderr]\n${err}[exit ${code}]\n")
string(REGEX REPLACE "\\.args$" ".expected" expected_file "${CASE}")
if(DEFINED ENV{QUILLFEN_REWRITE_GOLDEN} OR "$ENV{QUILLFEN_UPDATE_GOLDEN}" STREQUAL "1")
  file(WRITE "${expected_file}" "${actual}")
  return()
endif()
file(READ "${expected_file}" expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output differs from ${expected_file}:\n--- got\n${actual}--- expected\n${expected}")
endif()
