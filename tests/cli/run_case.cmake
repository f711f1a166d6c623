cmake_minimum_required(VERSION 3.25)
# Runs one command-line golden case. CASE names a .args file with one argument
# per line, run from the fixtures folder: "@FIXTURES@" stands for that folder,
# "@OUT@" for an empty folder the run may write into, "<empty>" for an empty
# argument. The program's stdout, stderr and exit code, then every file written
# into @OUT@ (text with a note on its line ends, since CMake reads CR LF as LF;
# a JPEG picture by its kind only) must equal the .expected file beside it.
# QUILLFEN_UPDATE_GOLDEN=1 in the environment rewrites the expected file.
#   cmake -DPROGRAM=... -DCASE=....args -DFIXTURES=... -DWORK=... -P run_case.cmake
get_filename_component(name "${CASE}" NAME_WE)
set(out_dir "${WORK}/${name}")
file(REMOVE_RECURSE "${out_dir}")
file(MAKE_DIRECTORY "${out_dir}")
file(STRINGS "${CASE}" lines)
set(args)
foreach(line IN LISTS lines)
  string(REPLACE "@FIXTURES@" "${FIXTURES}" line "${line}")
  string(REPLACE "@OUT@" "${out_dir}" line "${line}")
  if(line STREQUAL "<empty>")
    set(line "")
  endif()
  list(APPEND args "${line}")
endforeach()
execute_process(COMMAND "${PROGRAM}" ${args}
  WORKING_DIRECTORY "${FIXTURES}"
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
# Qt's note about a missing XDG_RUNTIME_DIR depends on the environment only.
string(REGEX REPLACE "QStandardPaths: [^\n]*\n" "" err "${err}")
string(REPLACE "${out_dir}" "@OUT@" err "${err}")
string(REPLACE "${FIXTURES}" "@FIXTURES@" err "${err}")
set(actual "${out}[stderr]\n${err}[exit ${code}]\n")

file(GLOB written RELATIVE "${out_dir}" "${out_dir}/*")
list(SORT written)
foreach(file IN LISTS written)
  file(READ "${out_dir}/${file}" head LIMIT 3 HEX)
  if(head STREQUAL "ffd8ff")
    string(APPEND actual "[file ${file}: JPEG]\n")
    continue()
  endif()
  file(READ "${out_dir}/${file}" hex HEX)
  string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
  string(REGEX MATCHALL "0a " line_feeds "${bytes}")
  string(REGEX MATCHALL "0d 0a " crlf "${bytes}")
  list(LENGTH line_feeds lf_count)
  list(LENGTH crlf crlf_count)
  if(lf_count EQUAL crlf_count)
    set(ends "CR LF")
  else()
    set(ends "${crlf_count} of ${lf_count} CR LF")
  endif()
  file(READ "${out_dir}/${file}" content)
  string(REPLACE "${FIXTURES}" "@FIXTURES@" content "${content}")
  string(APPEND actual "[file ${file}, line ends ${ends}]\n${content}")
endforeach()

string(REGEX REPLACE "\\.args$" ".expected" expected_file "${CASE}")
if("$ENV{QUILLFEN_UPDATE_GOLDEN}" STREQUAL "1")
  file(WRITE "${expected_file}" "${actual}")
  message(STATUS "rewrote ${expected_file}")
  return()
endif()
file(READ "${expected_file}" expected)
if(NOT actual STREQUAL expected)
  file(WRITE "${out_dir}.actual" "${actual}")
  execute_process(COMMAND diff -u "${expected_file}" "${out_dir}.actual" OUTPUT_VARIABLE difference)
  message(FATAL_ERROR
    "output differs from ${expected_file} (QUILLFEN_UPDATE_GOLDEN=1 rewrites it):\n${difference}")
endif()
