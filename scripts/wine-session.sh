#!/usr/bin/env bash
# Runs a command with Wine ready for Windows programs: a virtual X display
# (Xvfb), a scratch 64-bit Wine prefix (wine runs wine64 when there is no
# 32-bit loader) that is removed afterwards, and a Wine virtual
# desktop of 1024x768. The command's exit status is returned.
#
#   scripts/wine-session.sh ctest --preset windows
#
# The virtual desktop matters: without it each wait for an active window
# costs about 2 s under Wine, and the window tests run into their time
# limits. Mono and Gecko are not installed into the prefix (nothing here
# uses .NET or HTML), and Wine's debug output is off.
set -euo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 command [argument ...]" >&2
  exit 2
fi

if [ -z "${VORNELL_WINE_SESSION:-}" ]; then
  exec env VORNELL_WINE_SESSION=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vornell-wine.XXXXXX")
export WINEPREFIX="$scratch/prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

echo "wine-session: preparing a Wine prefix in $WINEPREFIX" >&2
wine wineboot --init >/dev/null 2>&1 || { echo "wine-session: wineboot failed" >&2; exit 1; }
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
# Keep one Wine server for all the programs the command starts.
wineserver -w
wineserver -p

"$@"
