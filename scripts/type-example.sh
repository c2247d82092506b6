#!/usr/bin/env bash
# Types numbers into the focused window as a user would, Tab between them (a
# last '' ends on a Tab). Without numbers, the README's worked example into
# K1, W1, K2, W2 and Kx; the focus starts in K1.
#   scripts/type-example.sh [number ...]
set -euo pipefail
[ $# -gt 0 ] || set -- 100 3.5 200 7 125
xdotool type --delay 60 "$1"
for value in "${@:2}"; do
  xdotool key Tab type --delay 60 "$value"
done
