cmake_minimum_required(VERSION 3.25)
# Every statement in FOLDER, exported by PROGRAM as a plain page and opened
# again, must give the same summary: trades, net profit, gross profit and loss
# and every other figure. A page carries trades, not balance operations, so the
# interest earned and the deposit and rebate lines are left out of the comparison.
# Nor does it carry taxes: the terminal's own figures, which take both, end the
# comparison where they begin.
file(GLOB statements "${FOLDER}/*.htm")
if(NOT statements)
  message("no statements in ${FOLDER}: skipped")
  return()
endif()
file(MAKE_DIRECTORY "${WORK}")
set(page "${WORK}/page.htm")

function(trade_summary text result)
  string(REPLACE "\n" ";" lines "${text}")
  set(kept)
  foreach(line IN LISTS lines)
    if(line MATCHES "^Gross Profit |^Total [Nn]et [Pp]rofit ")
      break()
    endif()
    if(line MATCHES "^Total deposits|^Total rebates")
      continue()
    endif()
    string(REGEX REPLACE "Interest earned.*" "" line "${line}")
    list(APPEND kept "${line}")
  endforeach()
  set(${result} "${kept}" PARENT_SCOPE)
endfunction()

set(compared 0)
foreach(statement IN LISTS statements)
  file(REMOVE "${page}")
  execute_process(COMMAND "${PROGRAM}" "${statement}" --summary --html "${page}"
    OUTPUT_VARIABLE original RESULT_VARIABLE code ERROR_QUIET)
  if(code EQUAL 3)
    continue()  # not a statement
  endif()
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "${statement}: exit ${code}")
  endif()
  execute_process(COMMAND "${PROGRAM}" "${page}" --summary
    OUTPUT_VARIABLE reread RESULT_VARIABLE code ERROR_QUIET)
  trade_summary("${original}" expected)
  trade_summary("${reread}" got)
  if(NOT code EQUAL 0 OR NOT got STREQUAL expected)
    message(FATAL_ERROR "${statement}: the page reads back differently (exit ${code}):\n"
      "--- original\n${original}--- page\n${reread}")
  endif()
  math(EXPR compared "${compared} + 1")
endforeach()
message("${compared} statements read back alike")
