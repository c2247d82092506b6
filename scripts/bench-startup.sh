#!/usr/bin/env bash
# Start-up and keystroke benchmarks of the built program.
#
#   scripts/bench-startup.sh [BUILD_DIR] [startup_driver.py options...]
#
# BUILD_DIR defaults to build/release (a Release build: cmake --preset release
# && cmake --build --preset release). Runs:
#   1. bench/startup/startup_driver.py: vornell against vornell_bare_window,
#      20 runs each in turns; median time from process start to the first
#      painted frame, peak RSS, ratios (goals: <= 1.10x, <= 3 MiB more).
#      Twice: offscreen, and with the xcb platform on Xvfb inside a session
#      bus, as on an X11 desktop, where the window's icon, title and class go
#      to a real X server (offscreen skips that work and hid its cost).
#   2. vornell_keystroke_bench: key in Kx until the result box is updated,
#      10 repetitions (goal: median under 1 ms)
# Extra options go to the driver (e.g. --runs 50, --enforce, --json FILE).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
[ $# -gt 0 ] && shift

startup="$build/bench/startup"
for file in "$build/app/vornell" "$startup/vornell_bare_window" \
  "$startup/vornell_keystroke_bench" "$startup/plugins/generic/libvornell_startup_probe.so"; do
  if [ ! -e "$file" ]; then
    echo "bench-startup: $file is missing; build $build first" >&2
    exit 2
  fi
done

driver=(python3 "$root/bench/startup/startup_driver.py"
  --vornell "$build/app/vornell" --bare "$startup/vornell_bare_window"
  --plugin-path "$startup/plugins" --runs 20)

echo "== start-up, offscreen"
"${driver[@]}" --platform offscreen "$@"

echo
echo "== start-up, X11 (xcb) on Xvfb"
if command -v xvfb-run >/dev/null && command -v dbus-run-session >/dev/null; then
  dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" \
    "${driver[@]}" --platform xcb "$@"
else
  echo "bench-startup: needs xvfb-run and dbus-run-session (scripts/install-deps.sh bench)" >&2
  exit 2
fi

echo
echo "== keystroke to result"
"$startup/vornell_keystroke_bench" --benchmark_repetitions=10 \
  --benchmark_report_aggregates_only=true
