#!/usr/bin/env bash
# Runs a command with Wine ready for Windows programs: Xvfb, a scratch 64-bit
# Wine prefix removed afterwards, without Mono, Gecko or debug output, and a
# 1024x768 virtual desktop (without it each wait for an active window costs
# about 2 s and the window tests run into their time limits), in the fonts of
# a Chinese Windows 10/11 (below). VORNELL_WINE_VERSION=win7 (a winecfg -v
# name) makes Wine report that Windows version.
#   scripts/wine-session.sh ctest --preset windows
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
if [ -n "${VORNELL_WINE_VERSION:-}" ]; then
  wine winecfg -v "$VORNELL_WINE_VERSION" >/dev/null 2>&1
fi

# A Chinese Windows 10/11 draws captions, menus, messages, status bars and
# icon titles in "Microsoft YaHei UI" 9 pt. YaHei is not here: Noto Sans CJK
# SC, whose digits and Latin letters are close to it, is installed under its
# name (Wine's font replacement), and also stands for the dialog font "MS
# Shell Dlg 2" (Qt 5's default font), which would fall to a serif Ming face.
# Wine reports the message font by the face's own name, Noto Sans CJK SC.
# The LOGFONTW: lfHeight -12 (9 pt at 96 dpi), lfWeight 400, lfCharSet 1
# (default), the face name in UTF-16, zero-padded to 92 bytes.
logfont=f4ffffff000000000000000000000000900100000000000100000000$(printf 'Microsoft YaHei UI' |
  iconv -t UTF-16LE | od -An -v -tx1 | tr -d ' \n')
logfont+=$(printf '%0*d' $((184 - ${#logfont})) 0)
for font in CaptionFont SmCaptionFont MenuFont MessageFont StatusFont IconFont; do
  wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v $font /t REG_BINARY /d "$logfont" /f >/dev/null 2>&1
done
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft YaHei UI' /d 'Noto Sans CJK SC' /f >/dev/null 2>&1
for face in 'MS Shell Dlg' 'MS Shell Dlg 2'; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "$face" \
    /d 'Noto Sans CJK SC' /f >/dev/null 2>&1
done
# Keep one Wine server for all the programs the command starts.
wineserver -w
wineserver -p

"$@"
