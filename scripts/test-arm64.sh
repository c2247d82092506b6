#!/usr/bin/env bash
# make test WERROR=ON, make package and scripts/check-package.sh with the .deb
# installed and started, as root in a fresh minimal Debian 12 (bookworm) arm64
# root, every arm64 program run by qemu-aarch64 (qemu-user-static) through
# binfmt_misc. As scripts/test-debian13.sh does it: the committed HEAD, cloned
# with git (uncommitted changes are NOT included); the root (debootstrap
# --variant=minbase, with make) from the Debian mirror of this machine's apt
# sources, or VORNELL_DEBIAN_MIRROR, kept for 30 days as a tarball in
# ~/.cache/vornell; unpacked into a tmpfs in a mount and PID namespace of the
# run's own, with nothing left mounted. binfmt_misc is mounted and qemu-aarch64
# enabled only if they were not, and unmounted and disabled again at the end.
# The tested package is left as build/arm64/vornell_<version>_arm64.deb.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
recipe=(debootstrap --arch=arm64 --variant=minbase --include=make bookworm)
binfmt=/proc/sys/fs/binfmt_misc

if [ "${1:-}" = --inside ]; then # in the namespace: the root, its mounts, the run
  root=$2 tarball=$3 mirror=$4
  mkdir "$root" && mount -t tmpfs -o mode=755 tmpfs "$root" # gone with the namespace
  if [ -f "$tarball" ]; then
    tar -C "$root" --zstd --numeric-owner -xpf "$tarball"
  else
    echo "== ${recipe[*]} from $mirror"
    "${recipe[@]}" "$root" "$mirror" >"$root.log" 2>&1 || { tail -n 20 "$root.log"; exit 1; }
    tar -C "$root" --zstd --numeric-owner --one-file-system -cpf "$tarball.tmp" .
    mv "$tarball.tmp" "$tarball"
  fi
  echo "== root ready after $SECONDS s; testing $(git -C "$repo" log -1 --format='%h %s')"
  git clone -q "$repo" "$root/root/vornell"
  echo "deb $mirror bookworm main" >"$root/etc/apt/sources.list"
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc"
  mount --rbind /sys "$root/sys"
  mount --rbind /dev "$root/dev"
  mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
  # shellcheck disable=SC2016  # expanded in the root
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -euc '
      cd /root/vornell && . /etc/os-release && echo "== make test package on $PRETTY_NAME, $(uname -m)"
      make test package WERROR=ON && VORNELL_INSTALL_DEB=1 scripts/check-package.sh'
  cp "$root"/root/vornell/build/release/vornell_*_arm64.deb "$repo/build/arm64/"
  exit 0
fi

[ "$(id -u)" -eq 0 ] || { echo "test-arm64: run as root (debootstrap, mount, binfmt_misc, chroot)" >&2; exit 1; }
"$repo/scripts/install-deps.sh" arm64
# shellcheck disable=SC2016  # apt's format, not the shell's
mirror=${VORNELL_DEBIAN_MIRROR:-$(apt-get indextargets --format '$(REPO_URI)' 'Label: Debian' | awk 'NR == 1')}
: "${mirror:?no Debian mirror in apt sources: set VORNELL_DEBIAN_MIRROR}"
cache=${VORNELL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vornell}
mkdir -p "$cache" "$repo/build/arm64"
rm -f "$repo"/build/arm64/vornell_*_arm64.deb
find "$cache" -maxdepth 1 -name 'debian12-arm64-minbase-*.tar.zst' -mtime +30 -delete
tarball="$cache/debian12-arm64-minbase-$(sha256sum <<<"${recipe[*]}" | cut -c1-12).tar.zst"
scratch=$(mktemp -d "${TMPDIR:-/var/tmp}/vornell-arm64.XXXXXX")
child='' mounted='' enabled=''
# Interrupted, unshare is killed, and with it (--kill-child) the namespace;
# binfmt_misc is left as it was found.
# shellcheck disable=SC2317  # run by the EXIT trap
cleanup() {
  [ -z "$child" ] || kill -KILL "$child" 2>/dev/null || true
  [ -z "$enabled" ] || update-binfmts --disable qemu-aarch64 || true
  [ -z "$mounted" ] || umount "$binfmt" || true
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
if ! mountpoint -q "$binfmt"; then
  mount -t binfmt_misc binfmt_misc "$binfmt" && mounted=1
fi
if [ "$(head -n 1 "$binfmt/qemu-aarch64" 2>/dev/null)" != enabled ]; then
  update-binfmts --enable qemu-aarch64 && enabled=1
fi
unshare --mount --pid --fork --kill-child --mount-proc \
  bash "${BASH_SOURCE[0]}" --inside "$scratch/root" "$tarball" "$mirror" &
child=$!
wait "$child" && status=0 || status=$?
child=
[ "$status" -ne 0 ] || echo "== the tested package: $(ls "$repo"/build/arm64/vornell_*_arm64.deb)"
echo "Debian 12 arm64: status $status after $SECONDS s"
exit "$status"
