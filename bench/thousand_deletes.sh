#!/usr/bin/env bash
# A thousand --delete options on a generated tester report of 100,000 trades,
# timed from outside with the command line's peak memory, for each build
# given in turn, so that builds are compared in one run.
#
# Usage: bench/thousand_deletes.sh [BUILD_DIR ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -gt 0 ] || set -- "$root/build"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1/tools/make-statement" --kind tester -n 100000 --seed 11 -o "$work/t100k.htm"
deletes=()
for ((k = 0; k < 1000; k++)); do deletes+=(--delete $((1 + 97 * k))); done
printf "%-40s %10s %10s\n" build seconds "peak MB"
for build in "$@"; do
  start=$EPOCHREALTIME
  /usr/bin/time -f '%M' -o "$work/peak" "$build/src/cli/quillfen-report" "${deletes[@]}" \
    "$work/t100k.htm" >"$work/out"
  end=$EPOCHREALTIME
  printf "%-40s %10.2f %10d\n" "$build" "$(echo "$end - $start" | bc)" $(($(tail -n 1 "$work/peak") / 1024))
  # Every build must print the same summary as the first.
  [ -f "$work/first" ] || cp "$work/out" "$work/first"
  cmp -s "$work/out" "$work/first" || echo "the summary of $build differs from the first"
done
