#!/bin/sh
# A simulation run from a terminal shows how far it is on stderr and ends that
# line; the final state is shown even when the pass is too short for an update.
# Usage: terminal_progress.sh QUILLFEN_REPORT FIXTURES
report=$1
fixtures=$2
run="'$report' '$fixtures/statement_magic_comments.htm' --simulate montecarlo --units dollars \
--win 50 --avg-profit 1 --avg-loss 1 --runs 40 --trades 10 --seed 3 >/dev/null"
# The terminal turns each line feed into CR LF; CR shows here as "|".
shown=$(script -qec "$run" /dev/null | tr '\r' '|')
if [ "$shown" != "|run 40 of 40|" ]; then
  echo "FAILED: the terminal showed \"$shown\""
  exit 1
fi
