#!/bin/sh
# Not enough memory at any point of a run, from the program's first
# allocations on, is said as such under its own exit code, never an abort.
# Address space limits from where the shared libraries no longer load up to
# where the run succeeds are tried in turn, as the sizes differ by machine.
# Usage: early_out_of_memory.sh QUILLFEN_REPORT FIXTURES
report=$1
fixtures=$2
# The sanitizers reserve more address space than any of these limits.
if ldd "$report" | grep -qE 'lib(asan|tsan|ubsan)'; then
  echo "skipped: a sanitizer build"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
early=0
limit=32000
while [ $limit -le 1000000 ]; do
  (
    ulimit -v $limit
    exec "$report" --json "$fixtures/statement_analysis_mix.htm"
  ) >/dev/null 2>"$work/err"
  code=$?
  case $code in
    0) break ;;
    5)
      if grep -qF "quillfen-report: not enough memory" "$work/err"; then
        early=1
      else
        echo "FAILED: ulimit -v $limit -> exit 5 without the message: $(cat "$work/err")"
        failed=1
      fi
      ;;
    127) grep -qF "error while loading shared libraries" "$work/err" || failed=1 ;;
    *)
      echo "FAILED: ulimit -v $limit -> exit $code: $(head -c 300 "$work/err")"
      failed=1
      ;;
  esac
  limit=$((limit + 4000))
done
if [ $failed = 0 ] && [ $early = 0 ]; then
  echo "skipped: no limit ran out of memory between loading and success"
  exit 77
fi
exit $failed
