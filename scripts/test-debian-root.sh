#!/usr/bin/env bash
# make test WERROR=ON, make package and scripts/check-package.sh with the .deb
# installed and started, as root in a fresh minimal Debian root of a release
# and an architecture; where the architecture is this machine's, the suite
# again built with the release's clang (make test PRESET=clang).
#
#   scripts/test-debian-root.sh trixie amd64     (make test-debian13)
#   scripts/test-debian-root.sh bookworm arm64   (make test-arm64)
#
# It tests the commit checked out (HEAD), cloned with git: uncommitted changes
# are NOT included. The root (debootstrap --variant=minbase, with make) comes
# from the Debian mirror of this machine's apt sources, or VORNELL_DEBIAN_MIRROR,
# and is kept for 30 days as a tarball in ~/.cache/vornell. Each run unpacks it
# into a tmpfs (about 2 GB of memory at the end) mounted, like /proc, /sys and
# /dev in it, in a mount and PID namespace of the run's own: they all go with
# the run's last process, however it ends, and no mount is ever left behind.
# Another architecture's programs run under qemu-user-static through
# binfmt_misc, which is mounted and enabled for the run only if it was not, and
# left as it was found. The tested package is left in build/<release>-<arch>.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 2 ] || { echo "usage: $0 RELEASE ARCH" >&2; exit 2; }
release=$1 arch=$2
recipe=(debootstrap --arch="$arch" --variant=minbase --include=make "$release")
native=$([ "$arch" = "$(dpkg --print-architecture)" ] && echo yes || echo no)
built="$repo/build/$release-$arch"

if [ "${3:-}" = --inside ]; then # in the namespace: the root, its mounts, the run
  root=$4 tarball=$5 mirror=$6
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
  echo "deb $mirror $release main" >"$root/etc/apt/sources.list"
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc"
  mount --rbind /sys "$root/sys"
  mount --rbind /dev "$root/dev"
  mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
  # shellcheck disable=SC2016  # expanded in the root
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" NATIVE="$native" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -euc '
      cd /root/vornell && . /etc/os-release
      echo "== make test package on $PRETTY_NAME, $(uname -m)"
      make test package WERROR=ON
      VORNELL_INSTALL_DEB=1 scripts/check-package.sh
      if [ "$NATIVE" = yes ]; then
        echo "== make test PRESET=clang on $PRETTY_NAME" && make test PRESET=clang WERROR=ON
      fi'
  cp "$root"/root/vornell/build/release/vornell_*.deb "$built/"
  exit 0
fi

[ "$(id -u)" -eq 0 ] || { echo "test-debian-root: run as root (debootstrap, mount, chroot)" >&2; exit 1; }
groups=(debian-root)
[ "$native" = yes ] || groups+=(emulation)
"$repo/scripts/install-deps.sh" "${groups[@]}"
# shellcheck disable=SC2016  # apt's format, not the shell's
mirror=${VORNELL_DEBIAN_MIRROR:-$(apt-get indextargets --format '$(REPO_URI)' 'Label: Debian' | awk 'NR == 1')}
: "${mirror:?no Debian mirror in apt sources: set VORNELL_DEBIAN_MIRROR}"
cache=${VORNELL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vornell}
mkdir -p "$cache" "$built"
rm -f "$built"/vornell_*.deb
find "$cache" -maxdepth 1 -name "$release-$arch-minbase-*.tar.zst" -mtime +30 -delete
tarball="$cache/$release-$arch-minbase-$(sha256sum <<<"${recipe[*]}" | cut -c1-12).tar.zst"
scratch=$(mktemp -d "${TMPDIR:-/var/tmp}/vornell-$release-$arch.XXXXXX")
binfmt=/proc/sys/fs/binfmt_misc emulator=qemu-${arch/arm64/aarch64}
child='' mounted='' enabled=''
# Interrupted, unshare is killed, and with it (--kill-child) the namespace;
# binfmt_misc is left as it was found.
# shellcheck disable=SC2317  # run by the EXIT trap
cleanup() {
  [ -z "$child" ] || kill -KILL "$child" 2>/dev/null || true
  [ -z "$enabled" ] || update-binfmts --disable "$emulator" || true
  [ -z "$mounted" ] || umount "$binfmt" || true
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
if [ "$native" = no ]; then
  if ! mountpoint -q "$binfmt"; then
    mount -t binfmt_misc binfmt_misc "$binfmt" && mounted=1
  fi
  if [ "$(head -n 1 "$binfmt/$emulator" 2>/dev/null)" != enabled ]; then
    update-binfmts --enable "$emulator" && enabled=1
  fi
fi
unshare --mount --pid --fork --kill-child --mount-proc \
  bash "${BASH_SOURCE[0]}" "$release" "$arch" --inside "$scratch/root" "$tarball" "$mirror" &
child=$!
wait "$child" && status=0 || status=$?
child=
[ "$status" -ne 0 ] || echo "== the tested package: $(ls "$built"/vornell_*.deb)"
echo "Debian $release $arch: status $status after $SECONDS s"
exit "$status"
