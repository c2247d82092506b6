#!/usr/bin/env bash
# Runs one Qt Test program under Wine for CTest, inside scripts/wine-session.sh
# (the windows preset's CMAKE_CROSSCOMPILING_EMULATOR). A Windows GUI program
# has no console under Wine: Qt Test's report goes to a log file, printed here.
# It passes on exit status 0 after a totals line that counts no failure.
#   scripts/wine-run.sh path/to/tst_something.exe [Qt Test arguments ...]
set -uo pipefail
[ -n "${WINEPREFIX:-}" ] || { echo "wine-run: run under scripts/wine-session.sh" >&2; exit 2; }
program=${1:?usage: wine-run.sh program.exe [argument ...]}
shift
log=$(mktemp --suffix=.txt) output=$(mktemp)
trap 'rm -f "$log" "$output"' EXIT
# The real windows platform on the session's display (the Windows Qt has no
# offscreen one). Wine's own output goes to a file, not to CTest: the virtual
# desktop that the first program starts outlives it and would hold CTest's pipe.
env -u QT_QPA_PLATFORM wine "$program" "$@" -o "Z:${log//\//\\},txt" </dev/null >"$output" 2>&1
status=$?
cat "$log"
[ "$status" -eq 0 ] || cat "$output"
grep -Eq '^Totals: [0-9]+ passed, 0 failed' "$log" && [ "$status" -eq 0 ]
