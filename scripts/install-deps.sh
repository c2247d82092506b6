#!/usr/bin/env bash
# Installs, with apt-get, the Debian/Ubuntu packages that Vornell needs and
# that are not installed yet. Idempotent: a machine that has everything is left
# alone and apt is not touched.
#
#   scripts/install-deps.sh [group ...]      default group: build
#
# Groups:
#   build      compiler, CMake, Ninja, Qt 6 Widgets/Test and its Chinese
#              translation, the CJK and Latin fonts the window is tested with, the
#              German locale data used by the decimal-comma test, the desktop
#              file and AppStream validators, Google Benchmark, binutils
#              (readelf, for the hardening test) and python3 (the
#              compile-flag test and the start-up benchmark driver); Xvfb,
#              xdotool and strace for the test of the program on a display
#   package    dpkg-dev, for building the .deb (dpkg-shlibdeps), file, lintian,
#              and Xvfb with xprop/xwininfo to read the window's class
#   bench      Xvfb, xauth and a session bus (dbus-run-session), to time start-up
#              under X11 as a desktop runs it, as well as offscreen,
#              and the image-format and SVG plugins that desktops usually have,
#              so that the benchmark sees it if the program starts loading them
#   fuzz       clang and its sanitizer/libFuzzer runtime
#   screenshot Xvfb, xauth, ImageMagick, xdotool (types the worked example)
#   icons      rsvg-convert, for scripts/render-icons.sh
#   debian13   debootstrap and zstd, for the Debian 13 root of
#              scripts/test-debian13.sh
#   cross      mingw-w64 (posix threads) and Wine, for running the core's
#              Windows build beside the native one (make cross-check)
#   windows    the mingw-w64 cross compiler (posix threads) and binutils,
#              xz-utils to unpack the prebuilt static Qt, and Qt 5's Chinese
#              translation (qtbase_zh_CN.qm) for the Windows build
#   windows-qt dpkg-dev (dpkg-source), g++ (Qt's host tools), make and perl
#              (Qt 5's build runs perl scripts; Compress::Zlib packs QtCore's
#              MIME database), to build that Qt from Debian's source
#   windows-test  Wine, Xvfb, xauth, python3-pefile (the version record and
#              Windows 7 import checks), xdotool and ImageMagick (the
#              screenshot under Wine), and Noto Sans CJK (the Wine desktop's font)
#   windows-package  NSIS, for the installer (CPack writes the zip itself)
set -euo pipefail

declare -A GROUPS_PACKAGES=(
  [build]="cmake ninja-build g++ make qt6-base-dev qt6-translations-l10n fonts-noto-cjk fonts-wqy-microhei fonts-wqy-zenhei fonts-arphic-uming fonts-dejavu-core locales desktop-file-utils appstream libbenchmark-dev binutils python3 xvfb xauth xdotool strace"
  [package]="dpkg-dev file lintian xvfb xauth x11-utils"
  [bench]="xvfb xauth dbus-daemon qt6-image-formats-plugins libqt6svg6"
  [fuzz]="clang libclang-rt-dev"
  [screenshot]="xvfb xauth imagemagick xdotool qt6ct"
  [icons]="librsvg2-bin"
  [debian13]="debootstrap zstd"
  [cross]="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64"
  [windows]="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools xz-utils qttranslations5-l10n"
  [windows-qt]="dpkg-dev g++ make perl"
  [windows-test]="wine wine64 xvfb xauth python3-pefile xdotool imagemagick fonts-noto-cjk"
  [windows-package]="nsis"
)

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
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
