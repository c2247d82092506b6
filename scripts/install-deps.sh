#!/usr/bin/env bash
# Installs with apt-get the Debian packages of the given groups (default:
# build) that are not installed yet; a machine that has them all is left
# alone. docs/development.md says what each group is for.
#   scripts/install-deps.sh [group ...]
#   scripts/install-deps.sh --list group...    only prints the groups' packages
set -euo pipefail

declare -A GROUPS_PACKAGES=(
  [build]="cmake ninja-build g++ make qt6-base-dev qt6-translations-l10n fonts-noto-cjk fonts-wqy-microhei fonts-wqy-zenhei fonts-arphic-uming fonts-dejavu-core locales desktop-file-utils appstream devscripts libbenchmark-dev binutils python3 xvfb xauth xdotool strace dbus-daemon at-spi2-core python3-pyatspi"
  [package]="dpkg-dev file lintian xvfb xauth x11-utils xdotool fakeroot"
  [bench]="xvfb xauth dbus-daemon qt6-image-formats-plugins libqt6svg6"
  [clang]="clang"
  [asan]="clang libclang-rt-dev"
  [fuzz]="clang libclang-rt-dev"
  [screenshot]="xvfb xauth imagemagick xdotool qt6ct"
  [icons]="librsvg2-bin"
  [root]="mmdebstrap zstd arch-test"
  [emulation]="qemu-user-static binfmt-support"
  [arm64]="crossbuild-essential-arm64 qt6-base-dev:arm64 qemu-user-static binfmt-support"
  [windows]="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools xz-utils qttranslations5-l10n"
  [windows-qt]="dpkg-dev g++ make perl"
  [windows-test]="wine wine64 xvfb xauth python3-pefile libimage-exiftool-perl icoutils xdotool imagemagick fonts-noto-cjk"
  [windows-package]="nsis fakeroot"
  [reproducible]="git locales reprotest diffoscope-minimal faketime"
)

list=no
[ "${1:-}" != --list ] || { list=yes; shift; }
wanted=()
for group in "${@:-build}"; do
  [ -n "${GROUPS_PACKAGES[$group]+set}" ] || { echo "install-deps: unknown group '$group'" >&2; exit 2; }
  # shellcheck disable=SC2206
  wanted+=(${GROUPS_PACKAGES[$group]})
done
[ "$list" = no ] || { printf '%s\n' "${wanted[@]}" | sort -u; exit 0; }

# Installed for the architecture asked for (pkg:arm64), else for this machine's.
missing=()
native=$(dpkg --print-architecture)
for pkg in "${wanted[@]}"; do
  arch=${pkg#*:}
  [ "$arch" != "$pkg" ] || arch="$native|all"
  dpkg-query -W -f='${Architecture} ${db:Status-Status}\n' "${pkg%%:*}" 2>/dev/null |
    grep -Eqx "($arch) installed" || missing+=("$pkg")
done
[ ${#missing[@]} -gt 0 ] || exit 0

echo "install-deps: installing ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
# Another architecture's packages (pkg:arm64) need it known to dpkg.
for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/.*://p' | sort -u); do
  dpkg --print-foreign-architectures | grep -qx "$arch" || "${sudo[@]}" dpkg --add-architecture "$arch"
done
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
