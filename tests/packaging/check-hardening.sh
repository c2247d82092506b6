#!/usr/bin/env bash
# Checks, with readelf, that an ELF executable carries the hardening that
# cmake/Hardening.cmake asks for, and no library search path it does not need:
#   1. PIE: ELF type DYN with a PT_INTERP program header (an executable, not a
#      plain shared library)
#   2. RELRO: a PT_GNU_RELRO program header
#   3. BIND_NOW: DT_BIND_NOW, or DT_FLAGS with BIND_NOW, or DT_FLAGS_1 with NOW
#   4. stack protector: an undefined (imported) __stack_chk_fail
#   5. search paths: every DT_RPATH/DT_RUNPATH entry is an absolute directory.
#      An empty entry makes the loader search the current directory, and a
#      relative or $ORIGIN one the directory the program was started from or
#      lies in: a library dropped there would be loaded into the program.
# _FORTIFY_SOURCE is checked on the compile commands instead
# (tests/packaging/check-compile-flags.py): the program has no call whose
# destination size the compiler knows, so the binary shows no __*_chk import.
#
#   check-hardening.sh BINARY
#
# Prints one PASS or FAIL line per check; exit status 0 when all checks pass,
# 1 when one fails, 2 on a usage or tool error. READELF overrides the tool.
set -uo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 BINARY" >&2
  exit 2
fi
binary=$1
readelf=${READELF:-readelf}

command -v "$readelf" >/dev/null || { echo "check-hardening: $readelf not found (binutils)" >&2; exit 2; }
[ -f "$binary" ] || { echo "check-hardening: no such file: $binary" >&2; exit 2; }

header=$(LC_ALL=C "$readelf" --wide --file-header "$binary") || exit 2
segments=$(LC_ALL=C "$readelf" --wide --program-headers "$binary") || exit 2
dynamic=$(LC_ALL=C "$readelf" --wide --dynamic "$binary") || exit 2
# Undefined dynamic symbols only: the functions that the binary imports.
imports=$(LC_ALL=C "$readelf" --wide --dyn-syms "$binary" |
  awk '$7 == "UND" { sub(/@.*/, "", $8); print $8 }' | sort -u) || exit 2

failures=0
report() { # report PASS|FAIL what
  echo "$1: $2"
  [ "$1" = PASS ] || failures=$((failures + 1))
}

type=$(awk -F: '/^ *Type:/ { sub(/^ +/, "", $2); print $2; exit }' <<<"$header")
if [[ "$type" == DYN* ]] && grep -q '^ *INTERP ' <<<"$segments"; then
  report PASS "PIE (type ${type%% *} with a program interpreter)"
else
  report FAIL "PIE: ELF type is '${type:-unknown}', or there is no INTERP segment"
fi

if grep -q '^ *GNU_RELRO ' <<<"$segments"; then
  report PASS "RELRO (PT_GNU_RELRO present)"
else
  report FAIL "RELRO: no PT_GNU_RELRO segment"
fi

if grep -Eq '\(BIND_NOW\)|\(FLAGS\)[[:space:]].*BIND_NOW|\(FLAGS_1\)[[:space:]].*[[:space:]]NOW([[:space:]]|$)' <<<"$dynamic"; then
  report PASS "BIND_NOW ($(grep -E '\((BIND_NOW|FLAGS|FLAGS_1)\)' <<<"$dynamic" | awk '{$1=""; print}' | paste -sd';' | sed 's/^ *//'))"
else
  report FAIL "BIND_NOW: neither DT_BIND_NOW nor a NOW flag in the dynamic section"
fi

if grep -qx '__stack_chk_fail' <<<"$imports"; then
  report PASS "stack protector (imports __stack_chk_fail)"
else
  report FAIL "stack protector: __stack_chk_fail is not imported"
fi

# "Library runpath: [a:b]" -> one line per entry, empty entries kept.
search_paths=$(sed -nE 's/.*\((RPATH|RUNPATH)\).*\[(.*)\]$/\1 \2/p' <<<"$dynamic")
unsafe=$(while read -r tag list; do
  [ -n "$tag" ] || continue
  IFS=: read -r -a entries <<<"$list:"
  for entry in "${entries[@]}"; do
    [[ "$entry" == /* && "$entry" != *'$'* ]] || echo "$tag '$entry'"
  done
done <<<"$search_paths" | sort | uniq -c | awk '{ $1 = $1 "x"; print }' | paste -sd',')
if [ -n "$unsafe" ]; then
  report FAIL "search paths: empty, relative or \$ORIGIN entries: $unsafe"
elif [ -n "$search_paths" ]; then
  report PASS "search paths absolute ($(paste -sd';' <<<"$search_paths"))"
else
  report PASS "search paths: none (no DT_RPATH or DT_RUNPATH)"
fi

[ "$failures" -eq 0 ] || { echo "$failures hardening check(s) failed for $binary"; exit 1; }
echo "all hardening checks passed for $binary"
