#!/usr/bin/env bash
# Takes a screenshot of the Vornell window on a virtual X display, with the
# worked example of the README typed in: K1 100, W1 3.5, K2 200, W2 7, Kx 125
# (the linear transition gives 4.375).
#
#   scripts/screenshot.sh path/to/vornell output.png
#
# Runs the program under Xvfb (xvfb-run), waits for its window, types the five
# numbers with xdotool as a user would (Tab between the boxes), captures the
# window alone with xwd, converts it with ImageMagick and ends the program.
# VORNELL_SCREENSHOT_SCALE (default 2, crisp in the README and in software
# centres) is passed as QT_SCALE_FACTOR.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 path/to/vornell output.png" >&2
  exit 2
fi
binary=$(realpath "$1")
output=$2
[ -x "$binary" ] || { echo "screenshot: $binary is not an executable" >&2; exit 1; }
mkdir -p "$(dirname "$output")"
output=$(realpath "$output")

if [ -z "${VORNELL_SCREENSHOT_INNER:-}" ]; then
  exec env VORNELL_SCREENSHOT_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$binary" "$output"
fi

# Inside the virtual display.
export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=${VORNELL_SCREENSHOT_SCALE:-2}
"$binary" &
pid=$!
raw=$(mktemp --suffix=.xwd)
trap 'kill "$pid" 2>/dev/null || true; rm -f "$raw"' EXIT

# The window by its class (WM_CLASS "vornell", "Vornell"), whatever its title.
window=$(timeout 20 xdotool search --sync --onlyvisible --class '^Vornell$' | head -1) || {
  echo "screenshot: no Vornell window appeared" >&2
  exit 1
}
# No window manager runs here: give the window the keyboard focus directly.
# The focus starts in K1, and Tab moves through K1, W1, K2, W2, Kx.
xdotool windowfocus --sync "$window"
first=1
for value in 100 3.5 200 7 125; do
  [ "$first" = 1 ] || xdotool key --window "$window" Tab
  first=0
  xdotool type --delay 30 "$value"
done
# Let the last keystroke's result and the caret settle before the capture.
sleep 1
xwd -silent -id "$window" -out "$raw"
convert "xwd:$raw" "png:$output"
echo "screenshot: wrote $output ($(identify -format '%wx%h' "$output"))"
