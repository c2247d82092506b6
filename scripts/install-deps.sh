#!/usr/bin/env bash
# Installs, with apt-get, the Debian/Ubuntu packages that Vornell needs and
# that are not installed yet. Idempotent: a machine that has everything is left
# alone and apt is not touched.
#
#   scripts/install-deps.sh [group ...]      default group: build
#   scripts/install-deps.sh --list group...  only prints the groups' packages
#
# Groups (docs/development.md says what each package is for):
#   build       compiler, CMake, Ninja, Qt 6, fonts, locale data, validators,
#               benchmark, and Xvfb, xdotool, strace, AT-SPI for the program on a display
#   clang, asan the clang and asan presets (make test PRESET=clang or asan)
#   package, bench, fuzz, screenshot, icons   make package, bench-startup,
#               fuzz, screenshot; scripts/render-icons.sh
#   root, emulation   scripts/debian-root.sh: Debian roots made with
#               mmdebstrap, and arm64 programs run in them under qemu
#   arm64       make arm64: Debian's arm64 cross compiler and Qt's :arm64
#               development packages (the arm64 architecture is added to dpkg)
#   windows, windows-qt, windows-test, windows-package   make windows, the
#               static Qt 5 from Debian's source, make windows-test and
#               windows-package
#   reproducible   make test-reproducible (besides what make dist needs)
set -euo pipefail

declare -A GROUPS_PACKAGES=(
  [build]="cmake ninja-build g++ make qt6-base-dev qt6-translations-l10n fonts-noto-cjk fonts-wqy-microhei fonts-wqy-zenhei fonts-arphic-uming fonts-dejavu-core locales desktop-file-utils appstream devscripts libbenchmark-dev binutils python3 xvfb xauth xdotool strace dbus-daemon at-spi2-core python3-pyatspi"
  [package]="dpkg-dev file lintian devscripts xvfb xauth x11-utils xdotool fakeroot"
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
  [windows-test]="wine wine64 xvfb xauth python3-pefile xdotool imagemagick fonts-noto-cjk"
  [windows-package]="nsis fakeroot"
  [reproducible]="git locales reprotest diffoscope-minimal faketime"
)

list=no
[ "${1:-}" != --list ] || { list=yes; shift; }
groups=("$@")
[ ${#groups[@]} -gt 0 ] || groups=(build)

wanted=()
for group in "${groups[@]}"; do
  if [ -z "${GROUPS_PACKAGES[$group]+set}" ]; then
    echo "install-deps: unknown group '$group'" >&2
    exit 2
  fi
  # shellcheck disable=SC2206
  wanted+=(${GROUPS_PACKAGES[$group]})
done

if [ "$list" = yes ]; then
  printf '%s\n' "${wanted[@]}" | sort -u
  exit 0
fi
missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$pkg")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

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
