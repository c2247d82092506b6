#!/usr/bin/env bash
# Static Qt 5.15 (qtbase: Core, Gui, Widgets, PrintSupport, Test, the windows
# platform plugin, the windowsvista style; the last Qt for Windows 7 SP1 and
# 8.1) for 64-bit Windows, made with Debian's mingw-w64 (posix threads) from
# Debian 12's qtbase-opensource-src, through a private deb-src list made from
# the machine's apt sources (its apt configuration is not touched).
#   scripts/build-qt-mingw.sh [--prefix | --notice]
# makes or reuses it and prints its prefix (CMAKE_PREFIX_PATH) last; --prefix only
# prints where it is (or will be); --notice how it is built (release notice).
# It is kept in ${VORNELL_CACHE_DIR:-~/.cache/vornell}/qt5-mingw-<source version>-<hash
# of the recipe: source version, compilers, options>. A cold build takes 35-90 minutes
# on 2 cores (JOBS=2); ../shared/toolchains/qt5.15.8-mingw64-static.tar.xz (or
# $VORNELL_QT_MINGW_TARBALL) is unpacked instead when it has the sha256 recorded below.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache_dir=${VORNELL_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vornell}
jobs=${JOBS:-2}

qt_source_package=qtbase-opensource-src
qt_source_version=5.15.8+dfsg-11+deb12u3

# What this recipe made when the prebuilt archive was produced.
prebuilt_name=qt5.15.8-mingw64-static.tar.xz
prebuilt_recipe_hash=7d28708c9047
prebuilt_sha256=da4c35241874059781c6dedd03170da6983ac8e410a1c3a6fb590853103cffaf

# Qt 5's configure calls ${CROSS_COMPILE}gcc and g++, which may be Debian's win32-threads
# compilers: links first on PATH give these names to the posix-threads ones.
triple=x86_64-w64-mingw32
tools=("gcc=gcc-posix" "g++=g++-posix")
for tool in addr2line ar as c++filt dlltool dllwrap elfedit gprof ld ld.bfd nm objcopy \
  objdump ranlib readelf size strings strip windmc windres; do tools+=("$tool=$tool"); done

options=(-xplatform win32-g++ -device-option "CROSS_COMPILE=$triple-"
  -static -static-runtime -release -opensource -confirm-license -nomake examples -nomake tests
  -no-opengl -no-dbus -no-sql-sqlite -no-sql-odbc -no-icu -no-vulkan -qt-zlib -qt-libpng
  -qt-pcre -qt-harfbuzz -qt-freetype -no-libjpeg -no-gif -no-feature-tabletevent
  -no-feature-network -no-feature-sql -no-feature-concurrent -no-feature-xml -no-pch)

recipe_hash=$(printf '%s\n' "$qt_source_version" "${tools[@]}" "${options[@]}" |
  sha256sum | cut -c1-12)
prefix="$cache_dir/qt5-mingw-$qt_source_version-$recipe_hash"

log() { echo "build-qt-mingw: $*" >&2; }

# deb-src entries for this Debian release, from the machine's apt sources.
write_private_sources() {
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  mkdir -p "$1/sources.list.d"
  # shellcheck disable=SC2016  # apt's format, not the shell's
  apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Created-By: Packages' |
    sort -u | awk -v c="$codename" '$2 ~ "^" c "(-|$)" { print "deb-src", $0 }' >"$1/sources.list"
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
  rm -rf "$work/src" && dpkg-source --no-check -x "$work"/download/*.dsc "$work/src" >&2
}

# Built in the source tree; installed into a staging root, so the prefix appears complete.
build_from_source() {
  local work=$1 tool
  mkdir -p "$work/bin"
  for tool in "${tools[@]}"; do ln -sf "/usr/bin/$triple-${tool#*=}" "$work/bin/$triple-${tool%%=*}"; done
  (cd "$work/src" && export PATH="$work/bin:$PATH" &&
    ./configure -prefix "$prefix" "${options[@]}" &&
    make -j"$jobs" && make install INSTALL_ROOT="$work/root") >&2
  mv "$work/root$prefix" "$prefix"
}

# Unpacks the prebuilt copy when it is exactly what this recipe makes.
unpack_prebuilt() {
  local tarball=${VORNELL_QT_MINGW_TARBALL:-$root/../shared/toolchains/$prebuilt_name}
  [ -f "$tarball" ] || return 1
  if [ "$recipe_hash" != "$prebuilt_recipe_hash" ] ||
    [ "$(sha256sum "$tarball" | cut -d' ' -f1)" != "$prebuilt_sha256" ]; then
    log "$tarball is not what this recipe makes (recipe hash or sha256); building from source"
    return 1
  fi
  log "unpacking $tarball"
  rm -rf "$prefix.partial" && mkdir -p "$prefix.partial"
  tar -xJf "$tarball" -C "$prefix.partial" --strip-components=1 qt5-mingw/
  mv "$prefix.partial" "$prefix"
}

print_notice() {
  cat <<EOF
Source: Debian's source package $qt_source_package, version $qt_source_version
(Qt ${qt_source_version%%+*} with Debian's patches), as "apt-get source $qt_source_package=$qt_source_version"
fetches it from a Debian 12 (bookworm) archive, its security updates, or from
Debian's snapshot archive. The source is used as unpacked, unchanged.

Built as static libraries with Debian 12's mingw-w64 (x86_64-w64-mingw32-gcc/g++ naming
the -posix compilers) by scripts/build-qt-mingw.sh in Vornell's source, with

  ./configure -prefix PREFIX \\
$(echo "${options[*]}" | fold -s -w 68 | sed 's/ $//; $!s/$/ \\/; s/^/    /')
  make && make install
EOF
}

case "${1:-}" in
  --prefix) echo "$prefix"; exit 0 ;;
  --notice) print_notice; exit 0 ;;
  "") ;;
  *) echo "usage: $0 [--prefix | --notice]" >&2; exit 2 ;;
esac

if [ -f "$prefix/lib/cmake/Qt5/Qt5Config.cmake" ]; then
  echo "$prefix"
  exit 0
fi
"$root/scripts/install-deps.sh" build windows windows-qt >&2
mkdir -p "$cache_dir"
if ! unpack_prebuilt; then
  work=$(mktemp -d "$cache_dir/qt5-mingw-work.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  fetch_source "$work"
  build_from_source "$work"
fi
log "Qt for Windows is in $prefix"
echo "$prefix"
