#!/usr/bin/env bash
# The window with the README's worked example typed in (type-example.sh), on
# an X display without a window manager:
#   xvfb-run -a -s "-screen 0 1280x1024x24" scripts/screenshot.sh build/release/app/vornell docs/screenshot.png
#     at QT_SCALE_FACTOR ${VORNELL_SCREENSHOT_SCALE:-2}, crisp in the README and in software centres
#   scripts/wine-session.sh scripts/screenshot.sh build/windows/Vornell.exe docs/screenshot-windows.png
#     twice side by side: as typed (linear transition), then after a click on
#     the parabolic transition
# VORNELL_SCREENSHOT_FONT="DejaVu Sans,10" sets the desktop font as a desktop
# does, through qt6ct; VORNELL_SCREENSHOT_VALUES="123456.789 1604.86667 ..."
# types other numbers.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 PROGRAM OUTPUT.png" >&2; exit 2; }
program=$(realpath "$1")
output=$(realpath -m "$2")
mkdir -p "$(dirname "$output")"
shots=$(mktemp -d)
if [[ $program == *.exe ]]; then
  wine "$program" </dev/null >/dev/null 2>&1 &
else
  if [ -n "${VORNELL_SCREENSHOT_FONT:-}" ]; then
    mkdir "$shots/qt6ct"
    printf '[Fonts]\ngeneral="%s,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"\n' "$VORNELL_SCREENSHOT_FONT" \
      >"$shots/qt6ct/qt6ct.conf"
    export QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME=$shots
  fi
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=${VORNELL_SCREENSHOT_SCALE:-2} "$program" &
fi
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$shots"' EXIT

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vornell[0-9.]*$' | head -n1) ||
  { echo "screenshot: no Vornell window appeared" >&2; exit 1; }
sleep 1
# The keyboard goes to the window itself, or under Wine to the desktop holding it.
focus=$window
[[ $program != *.exe ]] || focus=$(xdotool search --name 'Wine desktop' | head -n1)
xdotool windowfocus --sync "$focus"
# shellcheck disable=SC2086  # one number a word
"$(dirname "$0")/type-example.sh" ${VORNELL_SCREENSHOT_VALUES:-}
sleep 1
if [[ $program != *.exe ]]; then
  import -window "$window" "png:$output"
else
  import -window "$window" "png:$shots/linear.png"
  # From Kx on to the selected mode, then to the parabolic one, as a user would.
  xdotool key Tab Tab Right
  sleep 1
  import -window "$window" "png:$shots/parabolic.png"
  convert "$shots/linear.png" "$shots/parabolic.png" -background white -splice 12x0 +append \
    -chop 12x0 "png:$output"
fi
echo "screenshot: wrote $output ($(identify -format '%wx%h' "$output"))"
