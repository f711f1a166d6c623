# Compares a case's output with its expected file, or rewrites that file when
# QUILLFEN_UPDATE_GOLDEN=1 (or QUILLFEN_REWRITE_GOLDEN) is in the environment.
function(compare_with_golden actual expected_file)
  if(DEFINED ENV{QUILLFEN_REWRITE_GOLDEN} OR "$ENV{QUILLFEN_UPDATE_GOLDEN}" STREQUAL "1")
    file(WRITE "${expected_file}" "${actual}")
    return()
  endif()
  file(READ "${expected_file}" expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "output differs from ${expected_file}:\n--- got\n${actual}--- expected\n${expected}")
  endif()
endfunction()
