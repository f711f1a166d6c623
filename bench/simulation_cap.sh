#!/usr/bin/env bash
# Times the longest simulations the inputs allow: every count at its cap, so
# that the cap on a start's trade draws is what ends them. Target: each start
# ends within 30 s. Exits 1 when one does not.
#
# Usage: bench/simulation_cap.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
generator=$build/tools/make-statement
report=$build/src/cli/quillfen-report
for tool in "$generator" "$report" /usr/bin/time; do
  [ -x "$tool" ] || { echo "missing $tool (build first; scripts/bootstrap installs time)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
page=$work/statement.htm
"$generator" -n 200 --seed 7 -o "$page"
missed=0
run() {
  local name=$1
  shift
  /usr/bin/time -f '%e' -o "$work/time" "$report" --seed 1 "$@" "$page" >/dev/null 2>"$work/err"
  printf '%-48s %8s s  %s\n' "$name" "$(cat "$work/time")" "$(head -c 90 "$work/err")"
  if awk "BEGIN { exit !($(cat "$work/time") >= 30) }"; then missed=1; fi
}
run "min-deposit, 300 runs of 1,000,000 trades" --simulate min-deposit --runs 300 --trades 1000000
run "min-trades, 1,000,000 runs, a thin edge" --simulate min-trades --runs 1000000 \
  --units dollars --win 50 --avg-profit 10.1 --avg-loss 10 --deposit 100000
run "montecarlo, 1,000,000 runs of 1,000,000 trades" --simulate montecarlo --runs 1000000 \
  --trades 1000000
[ $missed = 0 ] && echo "every start within 30 s: met" || echo "every start within 30 s: MISSED"
exit $missed
