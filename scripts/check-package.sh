#!/usr/bin/env bash
# Checks a built Debian package: fields, contents, lintian (silent), and for
# this machine's architecture the program started unpacked, offscreen and on
# Xvfb (window class as the desktop entry says). --install, as root: installed
# with apt-get, started and removed again.
#   scripts/check-package.sh [--install] [PACKAGE.deb]   default: build/release/vornell_*.deb
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
install=no
[ "${1:-}" != --install ] || { install=yes; shift; }
deb=$(realpath "${1:-$(ls "$root"/build/release/vornell_*.deb)}") || exit 1
scratch=$(mktemp -d) && trap 'rm -rf "$scratch"' EXIT
failures=0

check() { # check DESCRIPTION COMMAND...: PASS, or FAIL with what the command said
  local said
  if said=$("${@:2}" 2>&1); then echo "PASS: $1"; else
    echo "FAIL: $1" && sed 's/^/     /' <<<"$said"
    failures=$((failures + 1))
  fi
}
# Still running (timeout's status 124) after some seconds, as an emulated program too.
runs() { QT_QPA_PLATFORM=offscreen timeout 8 "$1"; [ $? -eq 124 ]; }

if [ "$install" = yes ]; then
  export DEBIAN_FRONTEND=noninteractive
  check "installed with apt-get" apt-get install -y -qq --no-install-recommends "$deb"
  check "installed: runs offscreen" runs /usr/bin/vornell
  check "removed again" apt-get remove -y -qq vornell
  exit $((failures > 0))
fi

field() { dpkg-deb --field "$deb" "$1"; }
depends() { field Depends | tr ',' '\n' | grep -Eq "^ *($1)( |$)"; }
version=$(sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p' "$root/CMakeLists.txt" | head -1)
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
contains() { grep -Eq "^$1\$" <<<"$contents"; }
quiet() { [ -z "$("$@" 2>&1 | grep -v '^running with root privileges')" ]; }
# Docks and task bars tie the window to its desktop entry by the class.
window_class_matches() {
  local expected actual
  expected=$(sed -n 's/^StartupWMClass=//p' "$2")
  # shellcheck disable=SC2016  # expanded on the virtual display
  actual=$(QT_QPA_PLATFORM=xcb xvfb-run -a bash -c '"$0" >/dev/null 2>&1 & pid=$!
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "^Vornell" | head -1)
    xprop -id "$id" WM_CLASS; kill $pid' "$1" | sed -n 's/.*= ".*", "\(.*\)"$/\1/p')
  echo "window class '$actual', StartupWMClass '$expected'"
  [ -n "$expected" ] && [ "$actual" = "$expected" ]
}

echo "== $deb"
check "Version $version" grep -Eq "^${version//./\\.}-[0-9]+$" <<<"$(field Version)"
check "Depends on libqt6widgets6" depends 'libqt6widgets6'
check "Depends on a CJK font" depends 'fonts-(noto-cjk|wqy-microhei|wqy-zenhei)'
check "lintian reports nothing" quiet lintian --pedantic --info --display-experimental "$deb"
for path in /usr/bin/vornell '/usr/share/applications/[^/]+\.desktop' '/usr/share/metainfo/[^/]+\.xml' \
  '/usr/share/man/man1/vornell\.1\.gz' /usr/share/icons/hicolor/{scalable,16x16,24x24,32x32,48x48,64x64,128x128,256x256}'/apps/[^/]+'; do
  check "contains $path" contains "$path"
done
check "nothing outside /usr" test -z "$(grep -Ev '^/(usr(/.*)?)?$' <<<"$contents")"
dpkg-deb -x "$deb" "$scratch"
if [ "$(field Architecture)" = "$(dpkg --print-architecture)" ]; then
  check "unpacked: runs offscreen" runs "$scratch/usr/bin/vornell"
  check "unpacked: window class" window_class_matches "$scratch/usr/bin/vornell" "$scratch"/usr/share/applications/*.desktop
fi
[ "$failures" -eq 0 ] && echo "check-package: all checks passed" ||
  { echo "check-package: $failures check(s) failed"; exit 1; }
