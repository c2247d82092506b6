# The Debian package of the program, made with CPack:
#
#   cmake --preset release && cmake --build --preset release
#   cd build/release && cpack -G DEB        (make package does both)
#
# Include from the top-level CMakeLists.txt after every add_subdirectory(), so
# that all install() rules are known.
#
# The package holds only the install components named in
# VORNELL_PACKAGE_COMPONENTS (the program, its desktop entry, AppStream
# metainfo and icons); anything installed under another component (for
# example development files) stays out. Library dependencies are computed by
# dpkg-shlibdeps (package dpkg-dev, group "package" of
# scripts/install-deps.sh); a CJK font is added by hand, since the window's
# Chinese captions need one and no library link shows that.

include_guard(GLOBAL)

# Windows has its own release files, a zip and an installer.
if(WIN32)
  include(WindowsPackaging)
  return()
endif()

include(GNUInstallDirs)

# The Debian revision of the package and its changelog entry, dated the
# release day; Debian wants the changelog gzipped at best compression with no
# name or time stamp.
set(VORNELL_DEBIAN_REVISION 1)
set(VORNELL_DEBIAN_VERSION "${PROJECT_VERSION}-${VORNELL_DEBIAN_REVISION}")
# A role address under the reserved .invalid domain: it names the project, not
# a person, and cannot be delivered to anyone.
set(VORNELL_DEBIAN_MAINTAINER "Vornell developers <vornell@users.noreply.invalid>")
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  execute_process(COMMAND date --utc --rfc-email --date "${VORNELL_RELEASE_DATE}"
    OUTPUT_VARIABLE VORNELL_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  configure_file("${PROJECT_SOURCE_DIR}/resources/changelog.Debian.in"
    "${PROJECT_BINARY_DIR}/changelog.Debian" @ONLY)
  execute_process(COMMAND gzip -9 -n -f -k changelog.Debian
    WORKING_DIRECTORY "${PROJECT_BINARY_DIR}" COMMAND_ERROR_IS_FATAL ANY)
  install(FILES "${PROJECT_BINARY_DIR}/changelog.Debian.gz"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/vornell" COMPONENT Runtime)
  install(FILES "${PROJECT_SOURCE_DIR}/resources/vornell.lintian-overrides"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides" RENAME vornell
    COMPONENT Runtime)
  # Stripped like dh_strip does it: the .comment section (compiler versions) too.
  if(TARGET vornell)
    set(_vornell_strip_comment [=[
      if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND "@CMAKE_STRIP@" --remove-section=.comment
          "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@/$<TARGET_FILE_NAME:vornell>"
          COMMAND_ERROR_IS_FATAL ANY)
      endif()]=])
    string(CONFIGURE "${_vornell_strip_comment}" _vornell_strip_comment @ONLY)
    install(CODE "${_vornell_strip_comment}" COMPONENT Runtime)
    unset(_vornell_strip_comment)
  endif()
endif()

set(VORNELL_PACKAGE_COMPONENTS "Runtime"
  CACHE STRING "Install components that go into the .deb (semicolon-separated)")

get_cmake_property(_vornell_known_components COMPONENTS)
set(_vornell_package_components "")
foreach(_vornell_component IN LISTS VORNELL_PACKAGE_COMPONENTS)
  if(_vornell_component IN_LIST _vornell_known_components)
    list(APPEND _vornell_package_components "${_vornell_component}")
  endif()
endforeach()
if(NOT _vornell_package_components AND "Unspecified" IN_LIST _vornell_known_components)
  # install() rules written without COMPONENT: take them all, and say so.
  message(WARNING
    "Packaging: no install rule names a component of '${VORNELL_PACKAGE_COMPONENTS}'; "
    "packaging the rules without a component (\"Unspecified\") instead. Give the "
    "program's install() rules COMPONENT ${VORNELL_PACKAGE_COMPONENTS} to keep anything "
    "else out of the package.")
  set(_vornell_package_components "Unspecified")
endif()
if(TARGET vornell AND NOT _vornell_package_components)
  message(WARNING
    "Packaging: none of the components '${VORNELL_PACKAGE_COMPONENTS}' has install rules "
    "(known components: '${_vornell_known_components}'); the .deb would be empty.")
endif()

# One monolithic package made of the chosen components only.
set(CPACK_INSTALL_CMAKE_PROJECTS "")
foreach(_vornell_component IN LISTS _vornell_package_components)
  list(APPEND CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR}" "${PROJECT_NAME}" "${_vornell_component}" "/")
endforeach()

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vornell")
set(CPACK_PACKAGE_VENDOR "Vornell developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VERSION_MAJOR "${PROJECT_VERSION_MAJOR}")
set(CPACK_PACKAGE_VERSION_MINOR "${PROJECT_VERSION_MINOR}")
set(CPACK_PACKAGE_VERSION_PATCH "${PROJECT_VERSION_PATCH}")
set(CPACK_PACKAGE_CONTACT "${VORNELL_DEBIAN_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Lines of at most 79 characters, as Debian control files want them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "A small desktop calculator for road design. Given station K1 with width or"
  "elevation W1 and station K2 with W2, it computes the value Wx at any station"
  "Kx by a linear transition or by a cubic-parabola transition (3I^2 - 2I^3 of"
  "the relative position I). The result follows every keystroke and is rounded"
  "to five decimal places. The interface is in Simplified Chinese.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "vornell")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME "vornell")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_RELEASE "${VORNELL_DEBIAN_REVISION}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "math")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A cross build's package is for the architecture it is built for (arm64).
if(CMAKE_CROSSCOMPILING AND CMAKE_LIBRARY_ARCHITECTURE)
  execute_process(COMMAND dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -q DEB_HOST_ARCH
    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
# Merged with what dpkg-shlibdeps finds.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Every file in the package, and the package's own members, dated
# VORNELL_SOURCE_DATE_EPOCH (cmake/Reproducible.cmake): CPack's DEB generator
# reads SOURCE_DATE_EPOCH from its environment, which this file, read by cpack
# before it packs, sets.
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_BINARY_DIR}/CPackSourceDate.cmake")
file(CONFIGURE OUTPUT "${CPACK_PROJECT_CONFIG_FILE}"
  CONTENT "set(ENV{SOURCE_DATE_EPOCH} \"@VORNELL_SOURCE_DATE_EPOCH@\")\n" @ONLY)

include(CPack)

unset(_vornell_component)
unset(_vornell_known_components)
unset(_vornell_package_components)
