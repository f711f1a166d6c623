#!/usr/bin/env bash
# The peak memory of all the program's processes (the window and the web
# view's helpers): starts the program on a report offscreen, sums the resident
# size of the process and its descendants every quarter second, and ends it
# after the given time.
#
# Usage: bench/process_tree_peak.sh SECONDS FILE [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=$1
file=$(realpath "$2")
build=$(cd "${3:-$root/build}" && pwd)
export QT_QPA_PLATFORM=offscreen QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
[ "$(id -u)" = 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cp "$build/src/gui/quillfen" "$home/"
"$home/quillfen" "$file" >/dev/null 2>&1 &
program=$!

tree() { # the process and all its descendants
  local pids=$1 next=$1
  while next=$(ps -o pid= --ppid "$(echo "$next" | tr ' ' ',')" 2>/dev/null | xargs); [ -n "$next" ]; do
    pids="$pids $next"
  done
  echo "$pids"
}
peak=0 own=0
end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ] && kill -0 "$program" 2>/dev/null; do
  total=0
  for pid in $(tree "$program"); do
    kb=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
    total=$((total + ${kb:-0}))
    [ "$pid" = "$program" ] && [ "${kb:-0}" -gt "$own" ] && own=${kb:-0}
  done
  [ "$total" -gt "$peak" ] && peak=$total
  sleep 0.25
done
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
echo "all processes peak $((peak / 1024)) MB, program's own $((own / 1024)) MB, over ${seconds} s: $(basename "$file")"
