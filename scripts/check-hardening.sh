#!/usr/bin/env bash
# Checks, with readelf, that an ELF executable carries the hardening that
# cmake/Hardening.cmake asks for, and no library search path it does not need:
# PIE (type DYN with a program interpreter), RELRO, BIND_NOW, the stack
# protector (an imported __stack_chk_fail), and only absolute DT_RPATH and
# DT_RUNPATH entries: an empty entry makes the loader search the current
# directory, a relative or $ORIGIN one the folder the program lies in, and a
# library dropped there would be loaded. _FORTIFY_SOURCE leaves no trace in
# this program (no call has a destination size the compiler knows), so
# tests/packaging/check-compile-flags.py checks it on the compile commands.
#
#   check-hardening.sh BINARY        READELF overrides the tool
set -uo pipefail
binary=${1:?usage: check-hardening.sh BINARY}
elf() { LC_ALL=C "${READELF:-readelf}" --wide "$@" "$binary"; }
segments=$(elf --program-headers) || exit 2
dynamic=$(elf --dynamic)
failures=0
check() { # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "PASS: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
# Every entry of every search path, one a line, empty ones kept.
entries() { sed -nE 's/.*\((RPATH|RUNPATH)\).*\[(.*)\]$/\2/p' <<<"$dynamic" | tr ':' '\n'; }
unsafe() { entries | grep -Evc '^/[^$]*$'; }

check "PIE" grep -Eq 'Type: +DYN' <(elf --file-header)
check "a program interpreter" grep -q '^ *INTERP ' <<<"$segments"
check "RELRO" grep -q '^ *GNU_RELRO ' <<<"$segments"
check "BIND_NOW" grep -Eq '\(BIND_NOW\)|\(FLAGS\).*BIND_NOW|\(FLAGS_1\).* NOW( |$)' <<<"$dynamic"
check "stack protector" grep -Eq 'UND __stack_chk_fail(@|$)' <(elf --dyn-syms)
check "search paths absolute: $(entries | paste -sd: -)" test "$(unsafe)" -eq 0
[ "$failures" -eq 0 ] || { echo "$failures hardening check(s) failed for $binary"; exit 1; }
echo "all hardening checks passed for $binary"
