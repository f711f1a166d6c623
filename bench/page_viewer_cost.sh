#!/usr/bin/env bash
# What the Report tab's page viewer costs on pages of several sizes and shapes:
# generated statements and tester reports, statements with magic-number lines,
# and pages of many small cells. Prints each page's rows, cells and bytes
# beside the peak of all the program's processes while it shows the page
# (bench/process_tree_peak.sh), to fit the estimate in src/core/import/page_cost.cpp.
# One page at a time, so the machine is not asked for more than one peak.
#
# Usage: bench/page_viewer_cost.sh [BUILD_DIR]
#   SECONDS_EACH=S  how long each page is watched (default 60)
#   PAGES="kind:size ..."  instead of the default set; kind statement, tester,
#                          magic (trades) or cells (thousands of cells)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
generator=$build/tools/make-statement
seconds=${SECONDS_EACH:-60}
pages=${PAGES:-"statement:2000 statement:6000 statement:12000 tester:3000 tester:8000 magic:8000 cells:150 cells:400"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A page of one table of short cells, as a crafted page would be: 40 cells a
# row, each a few characters.
small_cells() {
  python3 - "$1" "$2" <<'PY'
import sys
cells, path = int(sys.argv[1]) * 1000, sys.argv[2]
with open(path, "w") as page:
    page.write("<html><head><title>Statement: 1</title></head><body><table>\n")
    for row in range(cells // 40):
        page.write("<tr>" + "".join("<td>%d</td>" % ((row + c) % 10) for c in range(40)) + "</tr>\n")
    page.write("</table></body></html>\n")
PY
}

printf "%-18s %9s %9s %9s %12s\n" page rows cells MB "peak MB"
for page in $pages; do
  kind=${page%:*} size=${page#*:}
  file=$work/$kind-$size.htm
  case $kind in
    statement) "$generator" --kind statement -n "$size" --seed 5 -o "$file" ;;
    tester) "$generator" --kind tester -n "$size" --seed 5 -o "$file" ;;
    magic) "$generator" --kind statement --magic -n "$size" --seed 5 -o "$file" ;;
    cells) small_cells "$size" "$file" ;;
  esac
  rows=$(grep -o -i '<tr[ >]' "$file" | wc -l)
  cells=$(grep -o -i '<t[dh][ >]' "$file" | wc -l)
  mb=$(echo "scale=1; $(stat -c %s "$file") / 1048576" | bc)
  peak=$("$root/bench/process_tree_peak.sh" "$seconds" "$file" "$build" | grep -o 'peak [0-9]*' | grep -o '[0-9]*')
  printf "%-18s %9d %9d %9s %12d\n" "$kind:$size" "$rows" "$cells" "$mb" "$peak"
done
