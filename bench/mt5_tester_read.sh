#!/usr/bin/env bash
# Reads a generated MetaTrader 5 tester report of 100,000 trades (UTF-16LE,
# hedging, partial closes, reversals) with `quillfen-report --table` against
# `wc -l` of the same file, the floor for touching every line. Target: --table
# within 8x wc -l. Prints both times and the ratio; exits 1 when the target is
# missed.
#
# Usage: bench/mt5_tester_read.sh [BUILD_DIR]   (default: build; RUNS=3 runs each, best kept)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
generator=$build/tools/make-statement
cli=$build/src/cli/quillfen-report
runs=${RUNS:-3}
for tool in "$generator" "$cli"; do
  [ -x "$tool" ] || { echo "missing $tool (build first)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
path=$work/mt5.htm
"$generator" --kind mt5-tester -n 100000 --commission --pending 500 --seed 11 -o "$path"

# Prints the seconds one run of the command takes, its output dropped.
seconds() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null 2>"$work/stderr" || { echo "failed: $*" >&2; cat "$work/stderr" >&2; exit 2; }
  echo "$EPOCHREALTIME - $start" | bc
}

# The two take turns, so that a slower spell of the machine falls on both.
best_table=
best_wc=
for ((i = 0; i < runs; i++)); do
  t=$(seconds "$cli" --table "$path")
  w=$(seconds wc -l "$path")
  if [ -z "$best_table" ] || (($(echo "$t < $best_table" | bc))); then best_table=$t; fi
  if [ -z "$best_wc" ] || (($(echo "$w < $best_wc" | bc))); then best_wc=$w; fi
done

awk -v table="$best_table" -v wc="$best_wc" -v bytes="$(stat -c %s "$path")" '
  BEGIN {
    ratio = table / wc
    printf "MetaTrader 5 tester report, 100000 trades, %.1f MB\n", bytes / 1048576
    printf "%-28s %.3f s\n", "wc -l", wc
    printf "%-28s %.3f s\n", "quillfen-report --table", table
    printf "%-28s %.1fx   target <= 8x: %s\n", "ratio", ratio, ratio <= 8 ? "met" : "MISSED"
    exit ratio <= 8 ? 0 : 1
  }'
