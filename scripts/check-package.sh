#!/usr/bin/env bash
# Verifies the built Debian package of Vornell:
#   1. control fields: Package vornell, Version from the project, Depends with
#      libqt6widgets6 and a CJK font; lintian reports nothing at all
#   2. contents: the program, desktop entry, AppStream metadata (valid), icons
#      of every size, manual page and changelog; nothing outside /usr
#   3. unpacked with dpkg -x into a scratch folder: its libraries resolve, it
#      keeps its hardening, it starts offscreen and is still running after
#      VORNELL_RUN_SECONDS (3), and on Xvfb its window class is the desktop
#      entry's StartupWMClass
#   4. with VORNELL_INSTALL_DEB=1, as root: installed with apt-get, started the
#      same way and removed again
#
#   scripts/check-package.sh [PACKAGE.deb]     default: build/release/vornell_*.deb
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deb=$(realpath "${1:-$(ls "$root"/build/release/vornell_*.deb)}") || exit 1
seconds=${VORNELL_RUN_SECONDS:-3}
scratch=$(mktemp -d) && trap 'rm -rf "$scratch"' EXIT
failures=0

# check DESCRIPTION COMMAND...: PASS, or FAIL with what the command said.
check() {
  local what=$1 said
  shift
  if said=$("$@" 2>&1); then
    echo "PASS: $what"
  else
    echo "FAIL: $what"
    printf '%s\n' "$said" | sed 's/^/     /'
    failures=$((failures + 1))
  fi
}
field() { dpkg-deb --field "$deb" "$1"; }
depends() { field Depends | tr ',' '\n' | grep -Eq "^ *($1)( |$)"; }
# The project's version, from project() in CMakeLists.txt.
version=$(sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p' "$root/CMakeLists.txt" | head -1)
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
contains() { grep -Eq "^$1\$" <<<"$contents"; }
quiet() { [ -z "$("$@" 2>&1 | grep -v '^running with root privileges')" ]; }

# The desktop entry's id has a capital letter, which AppStream notes
# pedantically; AppStream before 1.0 (Debian 12) does not know <developer>.
appstream_valid() {
  local allowed='cid-contains-uppercase-letter' said
  [[ $(appstreamcli --version) == *'version: 0.'* ]] && allowed+='|unknown-tag developer$'
  said=$(appstreamcli validate --no-net --pedantic "$1") || { echo "$said"; return 1; }
  ! grep -E '^[EWIP]: ' <<<"$said" | grep -Ev "$allowed"
}

libraries_resolve() { ldd "$1" && ! ldd "$1" | grep -F 'not found'; }

# Still running (timeout's status 124) after the given time.
runs_offscreen() {
  QT_QPA_PLATFORM=offscreen timeout "$seconds" "$1"
  [ $? -eq 124 ]
}

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
check "Package vornell" test "$(field Package)" = vornell
check "Version $version" grep -Eq "^${version//./\\.}(-[0-9]+)?$" <<<"$(field Version)"
check "Depends on libqt6widgets6" depends 'libqt6widgets6'
check "Depends on a CJK font" depends 'fonts-(noto-cjk|wqy-microhei|wqy-zenhei)'
check "lintian reports nothing" quiet lintian --pedantic --info --display-experimental "$deb"
for path in /usr/bin/vornell '/usr/share/applications/[^/]+\.desktop' \
  '/usr/share/metainfo/[^/]+\.metainfo\.xml' /usr/share/man/man1/vornell\\.1\\.gz \
  /usr/share/doc/vornell/changelog\\.Debian\\.gz '/usr/share/icons/hicolor/scalable/apps/[^/]+\.svg' \
  /usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}'/apps/[^/]+\.png'; do
  check "contains $path" contains "$path"
done
check "nothing outside /usr" test -z "$(grep -Ev '^/(usr(/.*)?)?$' <<<"$contents")"

dpkg-deb -x "$deb" "$scratch/root"
program=$scratch/root/usr/bin/vornell
check "unpacked: its libraries resolve" libraries_resolve "$program"
check "unpacked: hardened" bash "$root/scripts/check-hardening.sh" "$program"
check "unpacked: runs offscreen for $seconds s" runs_offscreen "$program"
check "unpacked: window class" window_class_matches "$program" "$scratch"/root/usr/share/applications/*.desktop
check "AppStream metadata valid" appstream_valid "$scratch"/root/usr/share/metainfo/*.xml

if [ "${VORNELL_INSTALL_DEB:-0}" = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  check "not installed before" test -z "$(dpkg-query -W -f='${db:Status-Status}' vornell 2>/dev/null)"
  check "installed with apt-get" apt-get install -y -qq --no-install-recommends "$deb"
  check "installed: its libraries resolve" libraries_resolve /usr/bin/vornell
  check "installed: runs offscreen for $seconds s" runs_offscreen /usr/bin/vornell
  check "removed again" apt-get remove -y -qq vornell
else
  echo "SKIP: installing with apt-get (VORNELL_INSTALL_DEB=1, as root, does it)"
fi
[ "$failures" -eq 0 ] && echo "check-package: all checks passed" ||
  { echo "check-package: $failures check(s) failed"; exit 1; }
