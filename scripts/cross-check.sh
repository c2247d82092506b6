#!/usr/bin/env bash
# The same results on Linux and Windows: builds the core's console driver
# natively (release preset) and for 64-bit Windows (windows-core preset,
# mingw-w64), feeds both the same generated inputs, the Windows one under
# Wine, and requires byte-identical output.
#   scripts/cross-check.sh [COUNT]        default 1000000 inputs
set -euo pipefail
count=${1:-1000000}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
werror=${WERROR:-OFF}

cmake --preset release -DVORNELL_WARNINGS_AS_ERRORS="$werror" >/dev/null
cmake --build --preset release --target vornell_crosscheck
cmake --preset windows-core -DVORNELL_WARNINGS_AS_ERRORS="$werror" >/dev/null
cmake --build --preset windows-core --target vornell_crosscheck

work=build/windows-core/cross-check
mkdir -p "$work"
# A scratch Wine prefix inside the build tree; no Mono or Gecko installer,
# no debug chatter. A console program needs no X display.
export WINEPREFIX="$root/build/windows-core/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"

build/release/crosscheck/vornell_crosscheck generate "$count" >"$work/inputs.txt"
start=$(date +%s.%N)
build/release/crosscheck/vornell_crosscheck <"$work/inputs.txt" >"$work/linux.txt"
middle=$(date +%s.%N)
wine build/windows-core/crosscheck/vornell_crosscheck.exe <"$work/inputs.txt" >"$work/windows.txt" 2>"$work/wine.log" ||
  { cat "$work/wine.log" >&2; exit 1; }
end=$(date +%s.%N)

lines=$(wc -l <"$work/linux.txt")
if [ "$lines" -ne "$count" ] || ! cmp "$work/linux.txt" "$work/windows.txt"; then
  echo "cross-check: Linux and Windows results differ (first differences below)" >&2
  diff <(paste -d'\t' "$work/inputs.txt" "$work/linux.txt") \
    <(paste -d'\t' "$work/inputs.txt" "$work/windows.txt") >"$work/differences.txt" || true
  head -n20 "$work/differences.txt" >&2
  exit 1
fi
echo "cross-check: $count inputs, identical output on Linux and under Wine" \
  "(Linux $(awk -v a="$start" -v b="$middle" 'BEGIN { printf "%.1f", b - a }') s," \
  "Wine $(awk -v a="$middle" -v b="$end" 'BEGIN { printf "%.1f", b - a }') s)"
echo "  input, Linux, Windows:"
paste -d'\t' <(head -n2 "$work/inputs.txt") <(head -n2 "$work/linux.txt") \
  <(head -n2 "$work/windows.txt") | sed 's/^/  /'
