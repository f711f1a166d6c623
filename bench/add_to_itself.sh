#!/usr/bin/env bash
# Times a statement added to itself, as a user who adds an overlapping month
# does: every ticket comes twice, and the ticket sort and the close-time sort
# that follow the add must stay quick. Target: 100,000 trades added to
# themselves in under 0.5 s. Exits 1 when it is missed.
#
# Usage: bench/add_to_itself.sh [BUILD_DIR]   (default: build; RUNS=3 runs each, best kept)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
generator=$build/tools/make-statement
reader=$build/bench/statement-open-timing
runs=${RUNS:-3}
for tool in "$generator" "$reader" /usr/bin/time; do
  [ -x "$tool" ] || { echo "missing $tool (build first; scripts/bootstrap installs time)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%-8s %12s %12s %10s\n' trades "open (s)" "open+add (s)" "peak MB"
missed=0
for trades in 20000 50000 100000; do
  page=$work/statement-$trades.htm
  "$generator" -n "$trades" --magic --seed 7 -o "$page"
  best() {
    local best=
    for ((i = 0; i < runs; i++)); do
      /usr/bin/time -f '%e %M' -o "$work/time" "$reader" "$@" >/dev/null
      read -r seconds peak <"$work/time"
      if [ -z "$best" ] || awk "BEGIN { exit !($seconds < ${best% *}) }"; then best="$seconds $peak"; fi
    done
    echo "$best"
  }
  read -r open _ <<<"$(best "$page")"
  read -r added peak <<<"$(best "$page" "$page")"
  printf '%-8s %12s %12s %10.0f\n' "$trades" "$open" "$added" "$((peak / 1024))"
  if [ "$trades" = 100000 ] && awk "BEGIN { exit !($added >= 0.5) }"; then missed=1; fi
done
[ $missed = 0 ] && echo "100,000 trades added to themselves in under 0.5 s: met" ||
  echo "100,000 trades added to themselves in under 0.5 s: MISSED"
exit $missed
