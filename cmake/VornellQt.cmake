# Qt for Vornell: Qt 6 on Linux, Qt 5.15 for the Windows build (the last Qt
# that runs on Windows 7 and 8.1). What differs between the two is here;
# everything else uses the versionless targets (Qt::Widgets, Qt::Test) and the
# functions below.

set(VORNELL_QT_MAJOR 6 CACHE STRING "Qt major version: 6, or 5 for the Windows build")

if(VORNELL_QT_MAJOR EQUAL 6)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Test)
  qt_standard_project_setup()
  set(VORNELL_QT_TRANSLATIONS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}" /usr/share/qt6/translations)
else()
  find_package(Qt5 5.15 REQUIRED COMPONENTS Widgets Test)
  # What qt_standard_project_setup() sets up under Qt 6.
  set(CMAKE_AUTOMOC ON)
  include(GNUInstallDirs)
  # Debian's qttranslations5-l10n; the static Qt for Windows has none of its own.
  set(VORNELL_QT_TRANSLATIONS /usr/share/qt5/translations)
endif()

# vornell_add_resources(<target> <name> PREFIX <prefix> [BASE <dir>] FILES <file>...)
# Compiles the files into <target>, as Qt 6's qt_add_resources() does: into
# an object library that every program linking <target> links whole, so that
# the linker cannot leave the resources of a static library out. rcc stamps
# every file with VORNELL_SOURCE_DATE_EPOCH (cmake/Reproducible.cmake), not
# with the time it was checked out or copied into the build folder.
function(vornell_add_resources target name)
  cmake_parse_arguments(ARG "" "PREFIX;BASE" "FILES" ${ARGN})
  if(NOT ARG_BASE)
    set(ARG_BASE "${CMAKE_CURRENT_SOURCE_DIR}")
  endif()
  set(entries "")
  set(paths "")
  foreach(file IN LISTS ARG_FILES)
    get_filename_component(path "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    file(RELATIVE_PATH alias "${ARG_BASE}" "${path}")
    string(APPEND entries "<file alias=\"${alias}\">${path}</file>")
    list(APPEND paths "${path}")
  endforeach()
  set(qrc "${CMAKE_CURRENT_BINARY_DIR}/${name}.qrc")
  file(CONFIGURE OUTPUT "${qrc}"
    CONTENT "<RCC><qresource prefix=\"${ARG_PREFIX}\">${entries}</qresource></RCC>\n" @ONLY)
  set(cpp "${CMAKE_CURRENT_BINARY_DIR}/qrc_${name}.cpp")
  set(options "")
  if(VORNELL_QT_MAJOR EQUAL 6 AND NOT QT_FEATURE_zstd)
    list(APPEND options --no-zstd)  # what qt_add_resources() passes too
  endif()
  add_custom_command(OUTPUT "${cpp}"
    COMMAND "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=${VORNELL_SOURCE_DATE_EPOCH}"
      "$<TARGET_FILE:Qt${VORNELL_QT_MAJOR}::rcc>" ${options} --name "${name}" --output "${cpp}" "${qrc}"
    DEPENDS "${qrc}" ${paths} Qt${VORNELL_QT_MAJOR}::rcc
    COMMENT "Compiling the resources ${name}"
    VERBATIM)
  add_library(${name} OBJECT "${cpp}")
  set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  target_link_libraries(${name} PRIVATE Qt::Core)
  target_link_libraries(${target} INTERFACE ${name} "$<TARGET_OBJECTS:${name}>")
endfunction()

# vornell_add_program(<target> [WIN32] <source>...)
# A program that shows windows. The static Qt 5 for Windows links into it
# only the windows platform and the native style, not every plugin it has.
function(vornell_add_program target)
  if(VORNELL_QT_MAJOR EQUAL 6)
    qt_add_executable(${target} ${ARGN})
  else()
    add_executable(${target} ${ARGN})
  endif()
  if(VORNELL_QT_MAJOR EQUAL 5 AND WIN32)
    qt5_import_plugins(${target}
      INCLUDE_BY_TYPE platforms Qt5::QWindowsIntegrationPlugin
      INCLUDE_BY_TYPE styles Qt5::QWindowsVistaStylePlugin
      EXCLUDE_BY_TYPE imageformats)
  endif()
endfunction()
