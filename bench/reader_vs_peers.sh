#!/usr/bin/env bash
# Times converting and reading a statement against two peers on generated
# files: `wc -l`, the floor for touching every line, and lxml, a general HTML
# parser that reads the text of every cell. Targets: within 10x of wc -l, at
# least 25x faster than lxml, peak memory under 256 MB. Exits 1 when a target is
# missed. The command line's --table run, which also writes the table out, is
# timed beside them for reference.
#
# Usage: bench/reader_vs_peers.sh [BUILD_DIR]   (default: build; RUNS=3 runs each, best kept)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
generator=$build/tools/make-statement
reader=$build/bench/statement-open-timing
cli=$build/src/cli/quillfen-report
python=/usr/bin/python3 # Debian's interpreter, where python3-lxml lives
runs=${RUNS:-3}

for tool in "$generator" "$reader" "$cli" /usr/bin/time; do
  [ -x "$tool" ] || { echo "missing $tool (build first; scripts/bootstrap installs time)" >&2; exit 2; }
done
"$python" -c 'import lxml.html' || { echo "python3-lxml missing (scripts/bootstrap)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$generator" --kind tester -n 100000 --modify 2000 --swap-reopen 500 --pending 500 \
  --close-at-stop 3 --seed 11 -o "$work/tester.htm"
"$generator" -n 50000 --magic --balance-rows 50 --open 20 --pending 100 --working 10 \
  --commission --seed 12 -o "$work/statement.htm"

# Appends "file tool start end peak-KB" for one run of a tool.
measure() {
  local file=$1 tool=$2
  shift 2
  local start=$EPOCHREALTIME
  if ! /usr/bin/time -f '%M' -o "$work/peak" "$@" >/dev/null 2>"$work/stderr"; then
    echo "failed: $*" >&2
    cat "$work/stderr" >&2
    exit 2
  fi
  local end=$EPOCHREALTIME
  echo "$file $tool $start $end $(tail -n 1 "$work/peak")" >>"$work/runs"
}

# The tools take turns, so that a slower or faster spell of the machine falls
# on all of them; the best run of each is kept.
for file in tester statement; do
  path=$work/$file.htm
  for ((i = 0; i < runs; i++)); do
    measure "$file" reader "$reader" "$path"
    measure "$file" quillfen-table "$cli" --table "$path"
    measure "$file" wc-l wc -l "$path"
    measure "$file" lxml "$python" "$root/bench/lxml_parse.py" "$path"
  done
  echo "$file size $(stat -c %s "$path")" >>"$work/sizes"
done

awk '
  FNR == NR { size[$1] = $3; next }
  {
    key = $1 " " $2; t = $4 - $3
    if (!(key in best) || t < best[key]) best[key] = t
    if ($5 > peak[key]) peak[key] = $5
  }
  END {
    printf "%-14s %7s  %-16s %9s %9s %9s\n", "file", "MB", "tool", "seconds", "peak MB", "x wc -l"
    n = split("tester statement", files, " ")
    m = split("reader quillfen-table wc-l lxml", tools, " ")
    missed = 0
    for (i = 1; i <= n; i++) {
      f = files[i]; wc = best[f " wc-l"]
      for (j = 1; j <= m; j++) {
        k = f " " tools[j]
        printf "%-14s %7.1f  %-16s %9.3f %9.1f %8.1fx\n", f ".htm", size[f] / 1048576, tools[j], \
          best[k], peak[k] / 1024, best[k] / wc
      }
      r = best[f " reader"]; vsWc = r / wc; vsLxml = best[f " lxml"] / r; mb = peak[f " reader"] / 1024
      a = vsWc <= 10 ? "met" : "MISSED"; b = vsLxml >= 25 ? "met" : "MISSED"; c = mb < 256 ? "met" : "MISSED"
      if (a != "met" || b != "met" || c != "met") missed = 1
      printf "  %s: reader %.1fx wc -l (<= 10: %s), lxml %.1fx the reader (>= 25: %s), peak %.0f MB (< 256: %s)\n", \
        f, vsWc, a, vsLxml, b, mb, c
    }
    exit missed
  }
' "$work/sizes" "$work/runs"
