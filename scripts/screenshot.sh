#!/usr/bin/env bash
# Takes a screenshot of the Vornell window on a virtual X display.
#
#   scripts/screenshot.sh path/to/vornell output.png
#
# Runs the program under Xvfb (xvfb-run), waits for its window, captures it
# alone with xwd, converts it with ImageMagick and ends the program.
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
  exec env VORNELL_SCREENSHOT_INNER=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$binary" "$output"
fi

# Inside the virtual display.
export QT_QPA_PLATFORM=xcb
"$binary" &
pid=$!

title="Vornell1.1"
raw=$(mktemp --suffix=.xwd)
trap 'kill "$pid" 2>/dev/null || true; rm -f "$raw"' EXIT
for _ in $(seq 1 100); do
  # xwd -name fails at once while no window has that title.
  if xwd -silent -name "$title" -out "$raw" 2>/dev/null; then
    # The first frame can be captured before the window has painted itself.
    sleep 1
    xwd -silent -name "$title" -out "$raw"
    convert "xwd:$raw" "png:$output"
    echo "screenshot: wrote $output ($(identify -format '%wx%h' "$output"))"
    exit 0
  fi
  kill -0 "$pid" 2>/dev/null || { echo "screenshot: vornell exited early" >&2; exit 1; }
  sleep 0.2
done
echo "screenshot: no window titled $title appeared" >&2
exit 1
