#!/usr/bin/env bash
# Runs one Qt Test program under Wine and reports its outcome; CTest calls it
# for every test executable of the windows preset (CMAKE_CROSSCOMPILING_EMULATOR).
# Expects the environment of scripts/wine-session.sh.
#
#   scripts/wine-run.sh path/to/tst_something.exe [Qt Test arguments ...]
#
# A Windows GUI program under Wine has no console, so Qt Test would write its
# report to the debugger output: the report goes to a text log instead (-o),
# which is printed here. The test passes when the program exits with 0 and
# its log ends with a totals line that counts no failure.
set -uo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 program.exe [argument ...]" >&2
  exit 2
fi
[ -n "${WINEPREFIX:-}" ] || { echo "wine-run: run under scripts/wine-session.sh" >&2; exit 2; }
program=$1
shift

log=$(mktemp "${TMPDIR:-/tmp}/vornell-qtest.XXXXXX.txt")
wine_output=$(mktemp "${TMPDIR:-/tmp}/vornell-wine.XXXXXX.txt")
trap 'rm -f "$log" "$wine_output"' EXIT
# The tests' headless platform of Linux is not part of the Windows Qt; they run
# on the real windows platform, on the session's virtual display.
unset QT_QPA_PLATFORM
# Wine's own output goes to a file, not to CTest: a Wine process that the first
# program starts (the virtual desktop) outlives it and would hold CTest's pipe.
wine "$program" "$@" -o "Z:${log//\//\\},txt" </dev/null >"$wine_output" 2>&1
status=$?
cat "$log"
[ "$status" -eq 0 ] || cat "$wine_output"

totals=$(grep -E '^Totals: [0-9]+ passed, [0-9]+ failed' "$log" | tail -n1)
if [ -z "$totals" ]; then
  echo "wine-run: $(basename "$program") wrote no totals (exit status $status)" >&2
  exit 1
fi
failed=$(sed -E 's/^Totals: [0-9]+ passed, ([0-9]+) failed.*/\1/' <<<"$totals")
if [ "$status" -ne 0 ] || [ "$failed" -ne 0 ]; then
  echo "wine-run: $(basename "$program") failed (exit status $status, $failed failed)" >&2
  exit 1
fi
