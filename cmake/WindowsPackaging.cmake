# The Windows release files, made with CPack from the windows preset's build:
#
#   cpack --preset windows             (make windows-package)
#
#   Vornell-<version>-win64.zip        Vornell.exe, LICENSE.txt and
#                                      Qt-LGPL-NOTICE.txt in a folder of that name
#   Vornell-<version>-win64-setup.exe  the same files as a 64-bit NSIS installer:
#                                      per machine into Program Files\Vornell, a
#                                      Start menu entry and an uninstaller
#
# <version> is major.minor of project(), with the patch number only when it is
# not 0. Included by Packaging.cmake in place of the Debian package's rules.

include_guard(GLOBAL)
if(NOT TARGET vornell)
  return()  # a build without the program: nothing to package
endif()

set(_vornell_version "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
if(PROJECT_VERSION_PATCH)
  string(APPEND _vornell_version ".${PROJECT_VERSION_PATCH}")
endif()

# Qt is linked statically under the LGPL v3: the notice says how to relink,
# which Qt source and recipe were used (the script that builds that Qt knows),
# and carries the licence texts.
set(_vornell_qt_script "${PROJECT_SOURCE_DIR}/scripts/build-qt-mingw.sh")
set(_vornell_licences /usr/share/common-licenses/LGPL-3 /usr/share/common-licenses/GPL-3)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  "${_vornell_qt_script}" ${_vornell_licences})
execute_process(COMMAND "${_vornell_qt_script}" --notice
  OUTPUT_VARIABLE _vornell_qt_notice COMMAND_ERROR_IS_FATAL ANY)
string(JOIN "\n" _vornell_notice
  "Vornell.exe contains the Qt toolkit (Qt Core, Gui, Widgets and the Windows"
  "platform and style plugins), linked statically. Qt is licensed under the GNU Lesser"
  "General Public License version 3 (LGPL v3), whose text follows this notice"
  "together with the GNU General Public License version 3 that it builds on."
  "Qt is copyright The Qt Company Ltd. and other contributors."
  ""
  "You may use Vornell with a Qt of your own: build that Qt, then build Vornell"
  "from its source against it (\"make windows\", see README.md), which links"
  "Vornell.exe anew."
  ""
  "${_vornell_qt_notice}")
foreach(_vornell_licence IN LISTS _vornell_licences)
  file(READ "${_vornell_licence}" _vornell_text)
  string(APPEND _vornell_notice "\n\n${_vornell_text}")
endforeach()
file(WRITE "${PROJECT_BINARY_DIR}/Qt-LGPL-NOTICE.txt" "${_vornell_notice}")

# Everything at the top of the folder; CPACK_STRIP_FILES strips Vornell.exe
# with the mingw strip (CMAKE_STRIP).
install(TARGETS vornell RUNTIME DESTINATION . COMPONENT WindowsRelease)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION . RENAME LICENSE.txt
  COMPONENT WindowsRelease)
install(FILES "${PROJECT_BINARY_DIR}/Qt-LGPL-NOTICE.txt" DESTINATION .
  COMPONENT WindowsRelease)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};WindowsRelease;/")

set(CPACK_GENERATOR "ZIP;NSIS64")
set(CPACK_PACKAGE_NAME "Vornell")
set(CPACK_PACKAGE_VENDOR "Vornell developers")
set(CPACK_PACKAGE_VERSION "${_vornell_version}")
set(CPACK_PACKAGE_FILE_NAME "Vornell-${_vornell_version}-win64")
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
# The installer's file name differs from the zip's only by -setup. Both are
# made with SOURCE_DATE_EPOCH set to VORNELL_SOURCE_DATE_EPOCH
# (cmake/Reproducible.cmake): the zip dates its files so, and the mingw strip
# writes it into Vornell.exe's PE header as its time stamp (it writes the
# current time otherwise). TZ is UTC because the zip's DOS times are local
# times.
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_BINARY_DIR}/CPackWindowsProject.cmake")
file(CONFIGURE OUTPUT "${CPACK_PROJECT_CONFIG_FILE}" CONTENT [=[
if(CPACK_GENERATOR MATCHES "^NSIS")
  string(APPEND CPACK_PACKAGE_FILE_NAME "-setup")
endif()
set(ENV{SOURCE_DATE_EPOCH} "@VORNELL_SOURCE_DATE_EPOCH@")
set(ENV{TZ} "UTC0")
]=] @ONLY)

# The installer is a 64-bit program itself, like what it installs. Its
# language is Windows' own where NSIS has it, else English: CMake's template
# carries all of NSIS' languages, English first, and offers no choice.
set(CPACK_NSIS_DEFINES "Target amd64-unicode\nSetDateSave off")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Vornell")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Vornell")
# Also the Start menu folder's name.
set(CPACK_NSIS_PACKAGE_NAME "Vornell")
set(CPACK_NSIS_DISPLAY_NAME "Vornell")
set(CPACK_NSIS_INSTALLED_ICON_NAME "Vornell.exe")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/resources/vornell.ico")
set(CPACK_NSIS_MUI_UNIICON "${CPACK_NSIS_MUI_ICON}")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_PACKAGE_EXECUTABLES "Vornell;Vornell")
set(CPACK_NSIS_UNINSTALL_NAME "Uninstall")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")

include(CPack)

unset(_vornell_licence)
unset(_vornell_licences)
unset(_vornell_notice)
unset(_vornell_qt_notice)
unset(_vornell_qt_script)
unset(_vornell_text)
unset(_vornell_version)
