#!/usr/bin/env bash
# Takes a screenshot of Vornell.exe under Wine with the worked example typed in:
# K1 100, W1 3.5, K2 200, W2 7, Kx 125. The window is shown twice side by side:
# as typed (linear transition, 4.375) and after a click on the parabolic
# transition (4.04688).
#
#   scripts/wine-session.sh scripts/screenshot-windows.sh Vornell.exe out.png
#
# Needs the environment of
# scripts/wine-session.sh (virtual display, Wine prefix), xdotool and ImageMagick.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 path/to/Vornell.exe output.png" >&2
  exit 2
fi
[ -n "${WINEPREFIX:-}" ] || { echo "screenshot-windows: run under scripts/wine-session.sh" >&2; exit 2; }
program=$(realpath "$1")
output=$(realpath -m "$2")
mkdir -p "$(dirname "$output")"
shots=$(mktemp -d)

wine "$program" </dev/null >/dev/null 2>&1 &
trap 'wine taskkill /im "$(basename "$program")" /f >/dev/null 2>&1 || true; rm -rf "$shots"' EXIT

window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --name '^Vornell[0-9.]*$' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "screenshot-windows: no Vornell window appeared" >&2; exit 1; }
sleep 1

# The keyboard goes to the Wine desktop; the program's focus starts in K1.
xdotool windowfocus --sync "$(xdotool search --name 'Wine desktop' | head -n1)"
first=1
for value in 100 3.5 200 7 125; do
  [ -n "$first" ] || xdotool key Tab
  first=""
  xdotool type --delay 60 "$value"
done
sleep 1
import -window "$window" "png:$shots/linear.png"

# The parabolic option button, in the window's own coordinates (frame included).
xdotool mousemove --window "$window" 140 143 click 1
sleep 1
import -window "$window" "png:$shots/parabolic.png"
convert "$shots/linear.png" "$shots/parabolic.png" -background white -splice 12x0 +append \
  -chop 12x0 "png:$output"
echo "screenshot-windows: wrote $output ($(identify -format '%wx%h' "$output"))"
