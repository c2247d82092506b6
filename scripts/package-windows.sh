#!/usr/bin/env bash
# The Windows release of a built Vornell.exe (make windows-package):
#   Vornell-<version>-win64.zip        the portable program: Vornell.exe, its
#                                      licence and Qt's LGPL notice
#   Vornell-<version>-win64-setup.exe  the same files as an NSIS installer
#
#   scripts/package-windows.sh build/windows
#
# Qt is linked statically under the LGPL v3: the notice says which Qt source
# and recipe were used, and Vornell's source with scripts/build-qt-mingw.sh is
# how to rebuild and relink it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ $# -ne 1 ]; then
  echo "usage: $0 build/windows" >&2
  exit 2
fi
build=$(realpath "$1")
program="$build/Vornell.exe"
[ -f "$program" ] || { echo "package-windows: no $program; run make windows" >&2; exit 1; }

full_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
IFS=. read -r major minor patch _ <<<"$full_version"
version="$major.$minor"
[ "${patch:-0}" = 0 ] || version="$version.$patch"
name="Vornell-$version-win64"

stage="$build/package/$name"
rm -rf "$build/package"
mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/Vornell.exe" "$program"
cp "$root/LICENSE" "$stage/LICENSE.txt"

write_qt_notice() {
  cat <<'NOTICE'
Vornell.exe contains the Qt 5 toolkit (Qt Core, Gui, Widgets and its
Windows platform and style plugins), linked statically. Qt is licensed under
the GNU Lesser General Public License version 3 (LGPL v3), whose text follows
this notice together with the GNU General Public License version 3 that it
builds on.
Qt is copyright The Qt Company Ltd. and other contributors.

You may use Vornell with a Qt of your own: build that Qt, then build Vornell
from its source against it ("make windows", see README.md), which links
Vornell.exe anew.

NOTICE
  "$root/scripts/build-qt-mingw.sh" --notice
  printf '\n\n'
  cat /usr/share/common-licenses/LGPL-3
  printf '\n\n'
  cat /usr/share/common-licenses/GPL-3
}
write_qt_notice >"$stage/Qt-LGPL-NOTICE.txt"

rm -f "$build/$name.zip"
(cd "$build/package" && zip -q -X -r "$build/$name.zip" "$name")
echo "package-windows: wrote $build/$name.zip"

# The installer: a 64-bit program itself, per-machine, into Program Files, with
# a Start menu entry and an uninstaller registered with Windows.
write_nsis_script() {
  cat <<NSIS
Target amd64-unicode
!include MUI2.nsh
Name "Vornell $version"
OutFile "$build/$name-setup.exe"
InstallDir "\$PROGRAMFILES64\\Vornell"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
!define MUI_ICON "$root/resources/vornell.ico"
!define MUI_UNICON "$root/resources/vornell.ico"
!define UNINSTALL_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vornell"
!insertmacro MUI_PAGE_LICENSE "$stage/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Section
  SetOutPath "\$INSTDIR"
  File "$stage/Vornell.exe"
  File "$stage/LICENSE.txt"
  File "$stage/Qt-LGPL-NOTICE.txt"
  WriteUninstaller "\$INSTDIR\\Uninstall.exe"
  CreateShortcut "\$SMPROGRAMS\\Vornell.lnk" "\$INSTDIR\\Vornell.exe"
  WriteRegStr HKLM "\${UNINSTALL_KEY}" "DisplayName" "Vornell"
  WriteRegStr HKLM "\${UNINSTALL_KEY}" "DisplayVersion" "$version"
  WriteRegStr HKLM "\${UNINSTALL_KEY}" "DisplayIcon" "\$INSTDIR\\Vornell.exe"
  WriteRegStr HKLM "\${UNINSTALL_KEY}" "UninstallString" '"\$INSTDIR\\Uninstall.exe"'
  WriteRegDWORD HKLM "\${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "\${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "\$SMPROGRAMS\\Vornell.lnk"
  Delete "\$INSTDIR\\Vornell.exe"
  Delete "\$INSTDIR\\LICENSE.txt"
  Delete "\$INSTDIR\\Qt-LGPL-NOTICE.txt"
  Delete "\$INSTDIR\\Uninstall.exe"
  RMDir "\$INSTDIR"
  DeleteRegKey HKLM "\${UNINSTALL_KEY}"
SectionEnd
NSIS
}
write_nsis_script >"$build/package/vornell.nsi"
makensis -V2 "$build/package/vornell.nsi"
echo "package-windows: wrote $build/$name-setup.exe"
