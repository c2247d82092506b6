#!/usr/bin/env bash
# make test WERROR=ON, make package and scripts/check-package.sh with the .deb
# installed and started, as root in a fresh minimal Debian 13 (trixie) root;
# then the suite again built with its clang (make test PRESET=clang).
# It tests the commit checked out (HEAD), cloned with git: uncommitted changes
# are NOT included. The root (debootstrap --variant=minbase, with make) comes
# from the Debian mirror of this machine's apt sources, or VORNELL_DEBIAN_MIRROR,
# and is kept for 30 days as a tarball in ~/.cache/vornell. Each run unpacks it
# into a tmpfs (about 2 GB of memory at the end) mounted, like /proc, /sys and
# /dev in it, in a mount and PID namespace of the run's own: they all go with
# the run's last process, however it ends, and no mount is ever left behind.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
recipe=(debootstrap --variant=minbase --include=make trixie)

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
  echo "deb $mirror trixie main" >"$root/etc/apt/sources.list"
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc"
  mount --rbind /sys "$root/sys"
  mount --rbind /dev "$root/dev"
  mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
  # shellcheck disable=SC2016  # expanded in the root
  exec chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin bash -euc '
      cd /root/vornell && . /etc/os-release && echo "== make test package on $PRETTY_NAME"
      make test package WERROR=ON
      VORNELL_INSTALL_DEB=1 scripts/check-package.sh
      echo "== make test PRESET=clang on $PRETTY_NAME" && make test PRESET=clang WERROR=ON'
fi

[ "$(id -u)" -eq 0 ] || { echo "test-debian13: run as root (debootstrap, mount, chroot)" >&2; exit 1; }
"$repo/scripts/install-deps.sh" debian13
# shellcheck disable=SC2016  # apt's format, not the shell's
mirror=${VORNELL_DEBIAN_MIRROR:-$(apt-get indextargets --format '$(REPO_URI)' 'Label: Debian' | awk 'NR == 1')}
: "${mirror:?no Debian mirror in apt sources: set VORNELL_DEBIAN_MIRROR}"
cache=${VORNELL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vornell}
mkdir -p "$cache"
find "$cache" -maxdepth 1 -name 'debian13-minbase-*.tar.zst' -mtime +30 -delete
tarball="$cache/debian13-minbase-$(sha256sum <<<"${recipe[*]}" | cut -c1-12).tar.zst"
scratch=$(mktemp -d "${TMPDIR:-/var/tmp}/vornell-debian13.XXXXXX")
child=
# Interrupted, unshare is killed, and with it (--kill-child) the namespace.
trap '[ -z "$child" ] || kill -KILL "$child" 2>/dev/null || true; rm -rf "$scratch"' EXIT
trap 'exit 130' INT TERM HUP
unshare --mount --pid --fork --kill-child --mount-proc \
  bash "${BASH_SOURCE[0]}" --inside "$scratch/root" "$tarball" "$mirror" &
child=$!
wait "$child" && status=0 || status=$?
child=
echo "Debian 13: status $status after $SECONDS s"
exit "$status"
