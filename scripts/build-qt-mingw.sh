#!/usr/bin/env bash
# Static Qt 6 (qtbase: Core, Gui, Widgets, Test and the windows platform
# plugin) for 64-bit Windows, made with Debian's mingw-w64 from Debian's own
# qt6-base source package. Vornell.exe is linked against it.
#
#   scripts/build-qt-mingw.sh            make or reuse it; the last line printed
#                                        is the install prefix (CMAKE_PREFIX_PATH)
#   scripts/build-qt-mingw.sh --prefix   only print where it is (or will be)
#   scripts/build-qt-mingw.sh --dry-run  fetch, unpack and patch the source, then stop
#   scripts/build-qt-mingw.sh --notice   print where this Qt's source comes from
#                                        and how it is built (for the release notice)
#
# The result is kept outside the build tree, in
#   ${VORNELL_CACHE_DIR:-~/.cache/vornell}/qt6-mingw-<source version>-<recipe hash>
# where the hash covers everything below that decides what gets built (source
# version, toolchain, configure options, source guards): a changed recipe never
# reuses an old build. A cold build takes about 25 minutes on 2 cores
# (JOBS=2 by default).
#
# A prebuilt copy of this recipe, qt6.4.2-mingw64-static.tar.xz, is looked for
# in ../shared/toolchains beside the project (or at $VORNELL_QT_MINGW_TARBALL)
# and unpacked instead of building when its sha256 is the one recorded below
# for this recipe.
#
# The source comes through a private deb-src list made from the machine's own
# Debian sources; the machine's apt configuration and lists are not touched.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache_dir=${VORNELL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vornell}
jobs=${JOBS:-2}

qt_source_package=qt6-base
qt_source_version=6.4.2+dfsg-10

# What this recipe made when the prebuilt archive was produced.
prebuilt_name=qt6.4.2-mingw64-static.tar.xz
prebuilt_recipe_hash=d4364a0648be
prebuilt_sha256=f54ad16dbb069234acc86bc02cd8194a97c46e5668007eac1e874e41b79dc32c

IFS= read -r -d '' toolchain <<'EOF' || true
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

# tabletevent is off because Debian's trimmed source drops src/3rdparty/wintab.
features_off=(opengl dbus sql network printsupport concurrent xml tabletevent freetype
  jpeg gif vulkan icu glib zstd androiddeployqt pkg_config direct2d)
options=(
  -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release -DQT_QMAKE_TARGET_MKSPEC=win32-g++
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_testlib=ON
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
for feature in "${features_off[@]}"; do options+=("-DFEATURE_${feature}=OFF"); done

# Two faults of Qt 6.4.2 with these options, each mended by a guard:
# - with opengl off, dynamicgl stays on, and the windows plugin then uses the
#   OpenGL context classes that were left out;
# - with direct2d off, QtGui leaves out the DirectWrite font database, which
#   the windows plugin still creates.
IFS= read -r -d '' guards <<'EOF' || true
--- a/src/plugins/platforms/windows/qwindowsintegration.cpp
+++ b/src/plugins/platforms/windows/qwindowsintegration.cpp
@@ -14,5 +14,5 @@
 #include "qwindowsservices.h"
 #include <QtGui/private/qtgui-config_p.h>
-#if QT_CONFIG(directwrite3)
+#if QT_CONFIG(directwrite3) && QT_CONFIG(direct2d)
 #include <QtGui/private/qwindowsdirectwritefontdatabase_p.h>
 #endif
@@ -504,5 +504,5 @@
 {
     if (!d->m_fontDatabase) {
-#if QT_CONFIG(directwrite3)
+#if QT_CONFIG(directwrite3) && QT_CONFIG(direct2d)
         if (d->m_options & QWindowsIntegration::FontDatabaseDirectWrite)
             d->m_fontDatabase = new QWindowsDirectWriteFontDatabase;
--- a/src/plugins/platforms/windows/qwindowswindow.cpp
+++ b/src/plugins/platforms/windows/qwindowswindow.cpp
@@ -15,5 +15,5 @@
 #include "qwindowsmenu.h"
 #include "qwindowsnativeinterface.h"
-#if QT_CONFIG(dynamicgl)
+#if QT_CONFIG(dynamicgl) && QT_CONFIG(opengl)
 #  include "qwindowsglcontext.h"
 #else
@@ -2294,5 +2294,5 @@
 static inline bool isSoftwareGl()
 {
-#if QT_CONFIG(dynamicgl)
+#if QT_CONFIG(dynamicgl) && QT_CONFIG(opengl)
     return QOpenGLStaticContext::opengl32.moduleIsNotOpengl32()
         && QOpenGLContext::openGLModuleType() == QOpenGLContext::LibGL;
EOF

recipe_hash=$(printf '%s\n' "$qt_source_version" "$toolchain" "${options[@]}" "$guards" |
  sha256sum | cut -c1-12)
prefix="$cache_dir/qt6-mingw-$qt_source_version-$recipe_hash"

log() { echo "build-qt-mingw: $*" >&2; }

# deb-src entries for this Debian release, made from the machine's deb entries.
write_private_sources() {
  local dir=$1 codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  : >"$dir/sources.list"
  mkdir -p "$dir/sources.list.d"
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    awk -v c="$codename" '$1 == "deb" {
        sub(/^deb/, "deb-src"); for (i = 2; i <= NF; i++) if ($i ~ "^" c "(-|$)") { print; break } }' \
      "$file" >>"$dir/sources.list"
  done
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk -v c="$codename" 'BEGIN { RS = ""; ORS = "\n\n" }
      /(^|\n)Types:[^\n]*deb/ && /(^|\n)Suites:/ {
        if ($0 !~ ("(^|\n)Suites:[^\n]*[ \t]" c "([ \t-]|\n|$)")) next
        sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); print }' \
      "$file" >>"$dir/sources.list.d/$(basename "$file")"
  done
}

fetch_source() {
  local work=$1 apt_dir="$1/apt"
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$work/download"
  write_private_sources "$apt_dir"
  local apt=(apt-get -q -o "Dir::Etc::SourceList=$apt_dir/sources.list"
    -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d" -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache" -o Dir::State::Status=/var/lib/dpkg/status)
  [ "$(id -u)" -ne 0 ] || apt+=(-o APT::Sandbox::User=root)
  log "fetching $qt_source_package $qt_source_version (deb-src through a private list)"
  "${apt[@]}" update >&2
  (cd "$work/download" && "${apt[@]}" source --download-only \
    "$qt_source_package=$qt_source_version" >&2)
  rm -rf "$work/src"
  dpkg-source --no-check -x "$work"/download/*.dsc "$work/src" >&2
  printf '%s\n' "$guards" | patch -d "$work/src" -p1 --forward --fuzz=0 --no-backup-if-mismatch >&2
}

build_from_source() {
  local work=$1
  printf '%s\n' "$toolchain" >"$work/toolchain.cmake"
  cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix.partial" "${options[@]}" >&2
  cmake --build "$work/build" --parallel "$jobs" >&2
  rm -rf "$prefix.partial"
  cmake --install "$work/build" >&2
  mv "$prefix.partial" "$prefix"
}

# Unpacks the prebuilt copy when it is exactly what this recipe makes.
unpack_prebuilt() {
  local tarball=${VORNELL_QT_MINGW_TARBALL:-$root/../shared/toolchains/$prebuilt_name}
  [ -f "$tarball" ] || return 1
  if [ "$recipe_hash" != "$prebuilt_recipe_hash" ]; then
    log "$tarball was made by another recipe; building from source"
    return 1
  fi
  if [ "$(sha256sum "$tarball" | cut -d' ' -f1)" != "$prebuilt_sha256" ]; then
    log "$tarball does not have the recorded sha256; building from source"
    return 1
  fi
  log "unpacking $tarball"
  rm -rf "$prefix.partial"
  mkdir -p "$prefix.partial"
  tar -xJf "$tarball" -C "$prefix.partial" --strip-components=1 qt6-mingw/
  mv "$prefix.partial" "$prefix"
}

print_notice() {
  cat <<EOF
Source: Debian's source package $qt_source_package, version $qt_source_version
(Qt ${qt_source_version%%+*} with Debian's patches), as "apt-get source $qt_source_package=$qt_source_version"
fetches it from a Debian 12 (bookworm) archive or from Debian's snapshot archive.

Built as static libraries with Debian 12's mingw-w64 (x86_64-w64-mingw32, posix
threads) by scripts/build-qt-mingw.sh in Vornell's source, with these options:

$(printf '  %s\n' "${options[@]}")

and these changes to the source:

$guards
EOF
}

case "${1:-}" in
  --prefix) echo "$prefix"; exit 0 ;;
  --notice) print_notice; exit 0 ;;
  --dry-run | "") ;;
  *) echo "usage: $0 [--prefix | --dry-run | --notice]" >&2; exit 2 ;;
esac

if [ "${1:-}" != --dry-run ] && [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "$prefix"
  exit 0
fi
"$root/scripts/install-deps.sh" build windows windows-qt
mkdir -p "$cache_dir"
if [ "${1:-}" = --dry-run ]; then
  work="$cache_dir/qt6-mingw-work-$recipe_hash"
  fetch_source "$work"
  log "source ready in $work/src; recipe hash $recipe_hash"
  exit 0
fi
if ! unpack_prebuilt; then
  work=$(mktemp -d "$cache_dir/qt6-mingw-work.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  fetch_source "$work"
  build_from_source "$work"
fi
log "Qt for Windows is in $prefix"
echo "$prefix"
