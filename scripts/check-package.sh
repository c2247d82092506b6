#!/usr/bin/env bash
# Verifies the built Debian package of Vornell.
#
#   scripts/check-package.sh [PACKAGE.deb]
#
# Default: the only vornell_*.deb in build/release. Checks, in order:
#   1. control fields: Package vornell, Version from the project, Depends
#      with libqt6widgets6 and a CJK font
#   2. contents: usr/bin/vornell, the desktop entry, the AppStream metainfo,
#      the 32x32 PNG and the scalable SVG icon; nothing outside usr/
#   3. the package unpacked into a scratch directory with dpkg -x (no change
#      to the system): the program's libraries all resolve (ldd), it keeps its
#      hardening after stripping (tests/packaging/check-hardening.sh), and it
#      starts offscreen and is still running after a few seconds
#   4. only with VORNELL_INSTALL_DEB=1, as root, on a Debian-like system: the
#      package installed with apt-get (which pulls in its dependencies),
#      /usr/bin/vornell started the same way, the package removed again
#
# Environment: VORNELL_RUN_SECONDS (default 3) how long the program must stay
# up. Exit status 0 when every check passes, 1 otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

deb=${1:-}
if [ -z "$deb" ]; then
  shopt -s nullglob
  candidates=(build/release/vornell_*.deb)
  shopt -u nullglob
  if [ ${#candidates[@]} -ne 1 ]; then
    echo "check-package: give the .deb (found ${#candidates[@]} in build/release)" >&2
    exit 1
  fi
  deb=${candidates[0]}
fi
[ -f "$deb" ] || { echo "check-package: no such file: $deb" >&2; exit 1; }
deb=$(realpath "$deb")
run_seconds=${VORNELL_RUN_SECONDS:-3}

failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

echo "== $deb"

# 1. Control fields.
field() { dpkg-deb --field "$deb" "$1"; }
package=$(field Package)
version=$(field Version)
depends=$(field Depends)
if [ "$package" = vornell ]; then
  pass "Package: $package"
else
  fail "Package is '$package', not vornell"
fi
# The project's version, from project() in CMakeLists.txt.
project_version=$(sed -n 's/^ *VERSION \([0-9.]*\)$/\1/p' "$root/CMakeLists.txt" | head -1)
if [[ "$version" =~ ^${project_version//./\\.}(-[0-9]+)?$ ]]; then
  pass "Version: $version"
else
  fail "Version is '$version', not $project_version"
fi
echo "     Depends: $depends"
# One Depends entry per line, alternatives kept together.
depends_list=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ *$//')
if grep -Eq '^libqt6widgets6( |$)' <<<"$depends_list"; then
  pass "Depends on libqt6widgets6"
else
  fail "Depends lacks libqt6widgets6"
fi
if grep -Eq '(^|\| )fonts-(noto-cjk|wqy-microhei|wqy-zenhei|arphic-[a-z]+)( |$)' <<<"$depends_list"; then
  pass "Depends on a CJK font ($(grep -E 'fonts-' <<<"$depends_list" | head -1))"
else
  fail "Depends lacks a CJK font"
fi

# 2. Contents.
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
expect_path() { # expect_path description regex
  local hit
  hit=$(grep -E "$2" <<<"$contents" | head -1 || true)
  if [ -n "$hit" ]; then pass "contains $1: $hit"; else fail "missing $1 ($2)"; fi
}
expect_path "the program" '^/usr/bin/vornell$'
expect_path "a desktop entry" '^/usr/share/applications/[^/]+\.desktop$'
expect_path "AppStream metainfo" '^/usr/share/metainfo/[^/]+\.(metainfo|appdata)\.xml$'
for size in 16 24 32 48 64 128 256; do
  expect_path "a ${size}x${size} PNG icon" "^/usr/share/icons/hicolor/${size}x${size}/apps/[^/]+\\.png\$"
done
expect_path "a manual page" '^/usr/share/man/man1/vornell\.1\.gz$'
expect_path "a Debian changelog" '^/usr/share/doc/vornell/changelog\.Debian\.gz$'
expect_path "a scalable SVG icon" '^/usr/share/icons/hicolor/scalable/apps/[^/]+\.svg$'
outside=$(grep -Ev '^/(usr(/.*)?)?$' <<<"$contents" || true)
if [ -z "$outside" ]; then
  pass "nothing installed outside /usr"
else
  fail "paths outside /usr: $(paste -sd' ' <<<"$outside")"
fi

# Starts a program offscreen and requires it to be still running after
# $run_seconds seconds (timeout's status 124); anything else is a failure.
runs_offscreen() { # runs_offscreen label program [env...]
  local label=$1 program=$2 status log
  shift 2
  log=$(mktemp)
  set +e
  env QT_QPA_PLATFORM=offscreen "$@" timeout "$run_seconds" "$program" >"$log" 2>&1
  status=$?
  set -e
  if [ "$status" -eq 124 ]; then
    pass "$label: started offscreen and was still running after ${run_seconds} s"
  else
    fail "$label: ended with status $status within ${run_seconds} s; output:"
    sed 's/^/     /' "$log"
  fi
  rm -f "$log"
}

# No library the program needs may be missing.
libraries_resolve() { # libraries_resolve label program
  local missing
  missing=$(ldd "$2" 2>&1 | grep -F 'not found' || true)
  if [ -z "$missing" ] && ldd "$2" >/dev/null 2>&1; then
    pass "$1: all libraries found ($(ldd "$2" | grep -c '=>') resolved)"
  else
    fail "$1: ldd: ${missing:-failed}"
  fi
}

# Debian's checks: lintian must report nothing at all (the package carries its
# justified overrides), at every level up to pedantic and experimental.
lintian_report=$(lintian --pedantic --info --display-experimental "$deb" 2>&1 |
  grep -v '^running with root privileges' || true)
if ! command -v lintian >/dev/null; then
  fail "lintian is not installed (scripts/install-deps.sh package)"
elif [ -z "$lintian_report" ]; then
  pass "lintian reports nothing"
else
  fail "lintian:"
  sed 's/^/     /' <<<"$lintian_report"
fi

# The window's WM_CLASS on a real X server must be the desktop entry's
# StartupWMClass, or docks and task bars do not tie the window to its entry.
wm_class_matches() { # wm_class_matches program desktop-entry
  local expected actual
  expected=$(sed -n 's/^StartupWMClass=//p' "$2")
  # shellcheck disable=SC2016  # the inner script expands on the virtual display
  actual=$(QT_QPA_PLATFORM=xcb xvfb-run -a bash -c '
    "$0" >/dev/null 2>&1 & pid=$!
    for _ in $(seq 50); do
      for id in $(xwininfo -root -children | awk "/^ +0x/ {print \$1}"); do
        xwininfo -id "$id" | grep -q IsViewable &&
          xprop -id "$id" WM_CLASS | sed -n "s/.*= \"\(.*\)\", \"\(.*\)\"$/\2/p" && break 2
      done
      sleep 0.2
    done
    kill "$pid"' "$1" 2>/dev/null | head -1)
  if [ -n "$expected" ] && [ "$expected" = "$actual" ]; then
    pass "window class $actual is the desktop entry's StartupWMClass"
  else
    fail "window class '$actual' (xprop WM_CLASS) is not the desktop entry's StartupWMClass '$expected'"
  fi
}

# 3. Unpacked into a scratch root.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
program="$scratch/usr/bin/vornell"
if [ -x "$program" ]; then
  pass "unpacked: $program is executable"
  libraries_resolve "unpacked program" "$program"
  # The packaged program is stripped; its hardening must survive that.
  if hardening_report=$(bash "$root/tests/packaging/check-hardening.sh" "$program" 2>&1); then
    pass "unpacked program: hardened (PIE, RELRO, BIND_NOW, stack protector, no unsafe search path)"
  else
    fail "unpacked program: hardening:"
    printf '%s\n' "$hardening_report" | sed 's/^/     /'
  fi
  runs_offscreen "unpacked program" "$program"
  if command -v xvfb-run >/dev/null && command -v xprop >/dev/null; then
    wm_class_matches "$program" "$scratch"/usr/share/applications/*.desktop
  else
    fail "no xvfb-run or xprop to read the window's class (scripts/install-deps.sh package)"
  fi
  # AppStream validation without network: the screenshot URL is not fetched.
  # The one pedantic finding allowed is the capital letter in the id, which
  # must stay the reverse-DNS name of the desktop entry; AppStream before 1.0
  # (Debian 12) does not know the <developer> tag that 1.0 asks for.
  metainfo=("$scratch"/usr/share/metainfo/*.xml)
  allowed='cid-contains-uppercase-letter'
  [[ $(appstreamcli --version) == *'version: 0.'* ]] && allowed+='|unknown-tag developer$'
  if appstream_report=$(appstreamcli validate --no-net --pedantic "${metainfo[0]}" 2>&1) &&
    ! grep -E '^[EWIP]: ' <<<"$appstream_report" | grep -Eqv "$allowed"; then
    pass "AppStream metadata valid (appstreamcli validate --pedantic)"
  else
    fail "AppStream metadata:"
    sed 's/^/     /' <<<"$appstream_report"
  fi
else
  fail "unpacked: no executable usr/bin/vornell"
fi

# 4. Real installation, only when asked for.
if [ "${VORNELL_INSTALL_DEB:-0}" = 1 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    fail "VORNELL_INSTALL_DEB=1 needs root"
  elif ! command -v apt-get >/dev/null; then
    fail "VORNELL_INSTALL_DEB=1 needs apt-get (a Debian-like system)"
  elif dpkg-query -W -f='${db:Status-Status}' vornell 2>/dev/null | grep -qx installed; then
    fail "vornell is installed already; not touching it"
  else
    export DEBIAN_FRONTEND=noninteractive
    apt_log="$scratch/apt.log"
    if apt-get install -y -qq --no-install-recommends "$deb" >"$apt_log" 2>&1; then
      pass "apt-get installed $(dpkg-query -W -f='${Package} ${Version}' vornell)"
      libraries_resolve "installed program" /usr/bin/vornell
      runs_offscreen "installed program" /usr/bin/vornell
      if apt-get remove -y -qq vornell >"$apt_log" 2>&1 && [ ! -e /usr/bin/vornell ]; then
        pass "removed again"
      else
        fail "apt-get remove vornell:"
        sed 's/^/     /' "$apt_log"
      fi
    else
      fail "apt-get install $deb:"
      sed 's/^/     /' "$apt_log"
    fi
  fi
else
  echo "SKIP: installing with apt-get (set VORNELL_INSTALL_DEB=1, as root, to do it)"
fi

if [ "$failures" -ne 0 ]; then
  echo "check-package: $failures check(s) failed"
  exit 1
fi
echo "check-package: all checks passed"
