#!/usr/bin/env bash
# The window against the command line and wc -l on generated tester reports of
# 100,000 and 1,000,000 trades, each tool in turn in one run, so that a slower
# spell of the machine falls on all of them. Prints every figure with its
# target; exits 1 when a target is missed.
#
# Usage: bench/million_trades.sh [BUILD_DIR]
#   RUNS=N  runs of each timed tool, best kept (default 2)
#   DATA=D  take D/t100k.htm and D/t1m.htm when present instead of writing them
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
generator=$build/tools/make-statement
reader=$build/bench/statement-open-timing
cli=$build/src/cli/quillfen-report
gui=$build/bench/gui-open-timing
interaction=$build/bench/gui-interaction-timing
runs=${RUNS:-2}
for tool in "$generator" "$reader" "$cli" "$gui" "$interaction" /usr/bin/time; do
  [ -x "$tool" ] || { echo "missing $tool (build first)" >&2; exit 2; }
done
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
[ "$(id -u)" = 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data=${DATA:-$work}
for n in 10:t10 100000:t100k 1000000:t1m; do
  [ -f "$data/${n#*:}.htm" ] || "$generator" --kind tester -n "${n%:*}" --seed 11 -o "$data/${n#*:}.htm"
done

# Runs a tool; leaves its output in $work/out and appends "key seconds peak-MB".
measure() {
  local key=$1
  shift
  local start=$EPOCHREALTIME
  /usr/bin/time -f '%M' -o "$work/peak" "$@" >"$work/out" 2>"$work/err" ||
    { echo "failed: $*" >&2; cat "$work/err" >&2; exit 2; }
  local end=$EPOCHREALTIME
  echo "$key $(echo "$end - $start" | bc) $(($(tail -n 1 "$work/peak") / 1024))" >>"$work/runs"
}
# Appends "key value" from a line of the last output.
note() { echo "$1 $(grep "$2" "$work/out" | grep -o '[0-9.]*' | head -n "${3:-1}" | tail -n 1)" >>"$work/notes"; }

for ((i = 0; i < runs; i++)); do
  measure baseline-gui "$gui" "$data/t10.htm"
  note baseline-own "own peak memory"
  for f in t100k t1m; do
    path=$data/$f.htm
    measure "$f-wc" wc -l "$path"
    measure "$f-reader" "$reader" "$path"
    measure "$f-table" "$cli" --table "$path"
    measure "$f-summary" "$cli" --summary "$path"
    measure "$f-gui" "$gui" "$path"
    note "$f-painted" "summary painted"
    note "$f-gap" "longest event gap"
    note "$f-own" "own peak memory"
  done
done
measure t1m-interaction "$interaction" "$data/t1m.htm"
cp "$work/out" "$work/interaction"

awk -v trades100k=100000 -v trades1m=1000000 '
  FILENAME ~ /runs$/ { if (!($1 in t) || $2 < t[$1]) t[$1] = $2; if ($3 > m[$1]) m[$1] = $3; next }
  FILENAME ~ /notes$/ {
    if ($1 ~ /painted|gap/) { if (!($1 in v) || $2 < v[$1]) v[$1] = $2 } else if ($2 > v[$1]) v[$1] = $2
    next
  }
  function line(what, figure, target, ok) {
    printf "%-52s %-22s %-24s %s\n", what, figure, target, ok ? "met" : "MISSED"
    if (!ok) missed = 1
  }
  END {
    printf "%-52s %-22s %-24s\n", "", "figure", "target"
    for (f = 1; f <= 2; f++) {
      k = f == 1 ? "t100k" : "t1m"; n = f == 1 ? trades100k : trades1m
      printf "-- %s (%d trades)\n", k, n
      printf "%-52s %.3f s\n", "wc -l", t[k "-wc"]
      line("reader", sprintf("%.3f s, %.1fx wc -l", t[k "-reader"], t[k "-reader"] / t[k "-wc"]), "<= 8x wc -l", t[k "-reader"] <= 8 * t[k "-wc"])
      line("reader peak", sprintf("%d MB, %.0f B/trade", m[k "-reader"], m[k "-reader"] * 1048576 / n), f == 2 ? "<= 400 B/trade" : "", f == 1 || m[k "-reader"] * 1048576 / n <= 400)
      printf "%-52s %.3f s, %d MB\n", "command line --table", t[k "-table"], m[k "-table"]
      line("command line --summary", sprintf("%.3f s, %d MB", t[k "-summary"], m[k "-summary"]), f == 2 ? "<= 2x --table, < 700 MB" : "", f == 1 || (t[k "-summary"] <= 2 * t[k "-table"] && m[k "-summary"] < 700))
      p = v[k "-painted"] / 1000
      if (f == 1) {
        line("window: Summary painted", sprintf("%.3f s", p), "<= 0.3 s", p <= 0.3)
        line("window: added by the report (own peak - 10 trades)", sprintf("%d MB (%d - %d)", v[k "-own"] - v["baseline-own"], v[k "-own"], v["baseline-own"]), "<= 80 MB", v[k "-own"] - v["baseline-own"] <= 80)
      } else {
        line("window: Summary painted", sprintf("%.3f s, %.1fx --summary", p, p / t[k "-summary"]), "<= 2 s, <= 3x", p <= 2 && p <= 3 * t[k "-summary"])
        line("window: own peak", sprintf("%d MB", v[k "-own"]), "< 700 MB", v[k "-own"] < 700)
      }
      line("window: longest event gap while loading", sprintf("%d ms", v[k "-gap"]), "<= 100 ms", v[k "-gap"] <= 100)
    }
    exit missed
  }
' "$work/runs" "$work/notes" || status=$?
echo "-- interaction at 1,000,000 trades (targets: each refresh <= 500 ms, charts <= 100 ms, repaints < 16 ms)"
cat "$work/interaction"
exit "${status:-0}"
