#!/usr/bin/env bash
# Runs a command, as root, with the kernel starting arm64 programs under
# qemu-aarch64 (qemu-user-static through binfmt_misc): binfmt_misc is mounted
# and qemu-aarch64 enabled only where they are not, and left as found.
#   scripts/qemu-binfmt.sh COMMAND...
set -euo pipefail
binfmt=/proc/sys/fs/binfmt_misc mounted='' enabled=''
# shellcheck disable=SC2317  # run by the EXIT trap
restore() {
  [ -z "$enabled" ] || update-binfmts --disable qemu-aarch64 || true
  [ -z "$mounted" ] || umount "$binfmt" || true
}
trap restore EXIT
trap 'exit 130' INT TERM HUP
mountpoint -q "$binfmt" || { mount -t binfmt_misc binfmt_misc "$binfmt" && mounted=1; }
[ "$(head -n 1 "$binfmt/qemu-aarch64" 2>/dev/null)" = enabled ] || { update-binfmts --enable qemu-aarch64 && enabled=1; }
"$@"
