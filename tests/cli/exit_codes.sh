#!/bin/sh
# Exit codes and messages of quillfen-report for unusable input.
# Usage: exit_codes.sh QUILLFEN_REPORT FIXTURES
report=$1
fixtures=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# expect CODE TEXT ARGS...: the run exits with CODE and its stderr holds TEXT.
expect() {
  code=$1
  text=$2
  shift 2
  TMPDIR="$work/tmp" timeout 60 "$report" "$@" >"$work/out" 2>"$work/err"
  actual=$?
  if [ -z "$text" ]; then
    [ -s "$work/err" ] && actual="$actual (stderr not empty)"
  elif ! grep -qF -- "$text" "$work/err"; then
    actual="$actual (message missing)"
  fi
  if [ "$actual" != "$code" ]; then
    echo "FAILED: $* -> exit $actual, stderr: $(cat "$work/err")"
    failed=1
  fi
}

mkdir "$work/tmp"
: >"$work/empty.htm"
head -c 4096 /dev/urandom | tr -d 'tS' >"$work/binary.bin"
printf 'Statement\000\000\000' >"$work/nul.htm"
head -c 1500 "$fixtures/statement_taxes_column.htm" >"$work/truncated.htm"

expect 2 "FILE is required"
expect 2 "--bogus" --bogus "$fixtures/statement_taxes_column.htm"
expect 3 "$work/missing.htm: No such file or directory" "$work/missing.htm"
expect 3 "$work: Is a directory" "$work"
expect 3 "$work/empty.htm: not a MetaTrader statement or report" "$work/empty.htm"
expect 3 "$work/binary.bin: not a MetaTrader statement or report" "$work/binary.bin"
expect 3 "$work/empty.htm: not a MetaTrader statement or report" \
  "$fixtures/statement_taxes_column.htm" "$work/empty.htm"
expect 0 "$work/nul.htm: The file ends early; it may be incomplete" "$work/nul.htm"
expect 0 "$work/truncated.htm: The file ends early; it may be incomplete" --table \
  "$work/truncated.htm"
expect 0 "" --json "$fixtures/statement_taxes_column.htm" "$fixtures/tester_swap_reopen.htm"
# A UTF-16 page with an odd byte count is damaged; what a report's deals
# cannot give is told, and the rest read.
{ cat "$fixtures/mt5_tester_two_sided.htm"; printf x; } >"$work/odd.htm"
expect 3 "$work/odd.htm: The file is UTF-16 text with an odd number of bytes" "$work/odd.htm"
expect 0 "mt5_tester_two_sided.htm: Deals of a type this program does not read, skipped: 1" \
  --table "$fixtures/mt5_tester_two_sided.htm"

# Arguments that mean nothing are usage errors that name what was given; the
# plain forms beside them are taken.
statement=$fixtures/statement_taxes_column.htm
expect 2 "--deposit: expected statement or an amount" --deposit nan "$statement"
expect 2 "got 1e308" --deposit 1e308 "$statement"
expect 2 "got -5000" --deposit -5000 "$statement"
expect 2 "got 1000000000000000" --deposit 1000000000000000 "$statement"
expect 0 "" --deposit 2500.50 "$statement"
expect 0 "" --deposit 0 "$statement"
expect 2 "--sizing: expected a positive amount after mini-amount:, got 0" \
  --sizing mini-amount:0 "$statement"
expect 2 "got 1e3" --sizing standard-lots:1e3 "$statement"
expect 0 "" --sizing standard-lots:0.5 "$statement"
for limits in 0,0,0,0 -1,2,0.01,100 ,,x,-5 2,1,0.01,100 0.01,50,0.01,inf 1,2,3; do
  expect 2 "--limits: expected four positive amounts" --limits "$limits" "$statement"
done
expect 0 "" --limits 0.01,50,0.01,100 "$statement"
expect 2 "--csv: needs a file name" --csv '' "$statement"
expect 2 "--html: needs a file name" --html '' "$statement"
for count in --runs --trades --days --max-dd --confidence; do
  expect 2 "$count: a count of at most 2147483647" --simulate montecarlo "$count" 2147483648 \
    "$statement"
done
expect 2 '--symbols: the report holds no "nosuch"' --symbols nosuch "$statement"
expect 2 '--magics: the report holds no "12345"' --magics 12345 "$statement"

# Standard input and pipes read as the file they carry; a pipe without a
# writer reads as empty, never waits for one.
mkfifo "$work/pipe.htm"
expect 3 "$work/pipe.htm: not a MetaTrader statement or report" "$work/pipe.htm"
"$report" --json "$fixtures/statement_taxes_column.htm" >"$work/file.json"
TMPDIR="$work/tmp" timeout 60 "$report" --json - <"$fixtures/statement_taxes_column.htm" \
  | sed 's|"-"|"'"$fixtures/statement_taxes_column.htm"'"|' >"$work/stdin.json"
cmp -s "$work/file.json" "$work/stdin.json" || { echo "FAILED: standard input"; failed=1; }
cat "$fixtures/statement_taxes_column.htm" >"$work/pipe.htm" &
TMPDIR="$work/tmp" timeout 60 "$report" --json "$work/pipe.htm" \
  | sed 's|"'"$work/pipe.htm"'"|"'"$fixtures/statement_taxes_column.htm"'"|' >"$work/pipe.json"
wait
cmp -s "$work/file.json" "$work/pipe.json" || { echo "FAILED: a pipe with a writer"; failed=1; }

# Not enough memory to read a file is said as such, under its own exit code.
{
  printf '<html>Statement\n<tr><td>'
  head -c 120000000 /dev/zero | tr '\0' x
  printf '</td></tr></html>\n'
} >"$work/bigline.htm"
(
  ulimit -v 150000
  expect 5 "not enough memory to read $work/bigline.htm" "$work/bigline.htm"
  exit $failed
) || failed=1
rm -f "$work/bigline.htm"

# The working folders are gone.
if [ -n "$(ls -A "$work/tmp")" ]; then
  echo "FAILED: left behind: $(ls -A "$work/tmp")"
  failed=1
fi
exit $failed
