#!/usr/bin/env bash
# Runs SCRIPT as root in a fresh minimal Debian root of a release and an
# architecture, in /root/vornell, a clone of the committed HEAD (uncommitted
# changes are NOT included), with FILEs copied into /root; what it leaves in
# /root/out is copied to build/RELEASE-ARCH. With an empty SCRIPT, it only
# makes the root.
#   scripts/debian-root.sh RELEASE ARCH 'PACKAGE...' SCRIPT [FILE...]
# The root (mmdebstrap --variant=apt with the PACKAGEs, from the Debian mirror
# of this machine's apt sources or VORNELL_DEBIAN_MIRROR) is kept for 30 days
# as a tarball in ~/.cache/vornell, and unpacked for each run into a tmpfs
# mounted, like /proc, /sys and /dev in it, in a mount and PID namespace of the
# run's own: they go with the run, however it ends. Another architecture's
# programs run under qemu: run this under scripts/qemu-binfmt.sh.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 4 ] || { echo "usage: $0 RELEASE ARCH 'PACKAGE...' SCRIPT [FILE...]" >&2; exit 2; }
release=$1 arch=$2 packages=$3 script=$4
shift 4
out="$repo/build/$release-$arch"

if [ "${VORNELL_ROOT_INSIDE:-}" = 1 ]; then # in the namespace
  mount -t tmpfs -o mode=755 tmpfs "$root"
  tar -C "$root" --zstd --numeric-owner -xpf "$tarball"
  git clone -q "$repo" "$root/root/vornell"
  [ $# -eq 0 ] || cp "$@" "$root/root/"
  # binfmt_misc's interpreter for arm64 programs
  mkdir -p "$root/usr/libexec/qemu-binfmt" && cp -L /usr/libexec/qemu-binfmt/aarch64-binfmt-P "$_" 2>/dev/null || true
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc"
  mount --rbind /sys "$root/sys"
  mount --rbind /dev "$root/dev"
  mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -euc 'mkdir /root/out &&
      cd /root/vornell && . /etc/os-release && echo "== $PRETTY_NAME" && eval "$0"' "$script"
  exec cp -r "$root"/root/out/. "$out/"
fi

[ "$(id -u)" -eq 0 ] || { echo "debian-root: run as root (mount, chroot)" >&2; exit 1; }
"$repo/scripts/install-deps.sh" root
# shellcheck disable=SC2016  # apt's format, not the shell's
mirror=${VORNELL_DEBIAN_MIRROR:-$(apt-get indextargets --format '$(REPO_URI)' 'Label: Debian' | awk 'NR == 1')}
# shellcheck disable=SC2086  # the package list is split on purpose
recipe=(mmdebstrap --quiet --variant=apt --architectures="$arch" --include="$(echo $packages | tr ' ' ,)" "$release")
cache=${VORNELL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vornell}
mkdir -p "$cache" && rm -rf "$out" && mkdir -p "$out"
find "$cache" -maxdepth 1 -name "$release-$arch-*.tar.zst" -mtime +30 -delete
tarball="$cache/$release-$arch-$(sha256sum <<<"${recipe[*]}" | cut -c1-12).tar.zst"
if [ ! -f "$tarball" ]; then
  echo "== ${recipe[*]} from ${mirror:?no Debian mirror in apt sources: set VORNELL_DEBIAN_MIRROR}"
  "${recipe[@]}" "$tarball.tmp.tar.zst" "$mirror" && mv "$tarball.tmp.tar.zst" "$tarball"
fi
[ -n "$script" ] || exit 0
echo "== root ready after $SECONDS s; testing $(git -C "$repo" log -1 --format='%h %s')"
scratch=$(mktemp -d "${TMPDIR:-/var/tmp}/vornell-$release-$arch.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/root"
VORNELL_ROOT_INSIDE=1 root=$scratch/root tarball=$tarball \
  unshare --mount --pid --fork --kill-child --mount-proc "$0" "$release" "$arch" "$packages" "$script" "$@"
echo "Debian $release $arch: done after $SECONDS s"
