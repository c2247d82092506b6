# The identity of the Windows program: its file name, its icon, its version
# record (derived from the project version in one place) and its application
# manifest (resources/vornell.manifest).
#
#   vornell_windows_identity(<target>)
#
# Names the executable as the record's file name field says (Vornell.exe),
# places it at the top of the build tree, and compiles resources/vornell.rc.in
# with the icon and the manifest into it, the record with
# FILEVERSION/PRODUCTVERSION major,minor,patch,tweak and the text version
# major.minor with two minor digits (1.1.0 gives 1,1,0,0 and "1.01").

include_guard(GLOBAL)

set(VORNELL_EXE_FILE_NAME "Vornell.exe")

function(vornell_windows_identity target)
  get_filename_component(stem "${VORNELL_EXE_FILE_NAME}" NAME_WE)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME "${stem}"
    RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}")

  set(numbers "")
  foreach(part IN ITEMS MAJOR MINOR PATCH TWEAK)
    set(number "${PROJECT_VERSION_${part}}")
    if(number STREQUAL "")
      set(number 0)
    endif()
    list(APPEND numbers "${number}")
  endforeach()
  list(JOIN numbers "," VORNELL_RC_VERSION)
  set(minor "${PROJECT_VERSION_MINOR}")
  if(minor LESS 10)
    set(minor "0${minor}")
  endif()
  set(VORNELL_RC_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${minor}")
  set(VORNELL_ICO_FILE "${PROJECT_SOURCE_DIR}/resources/vornell.ico")
  set(VORNELL_MANIFEST_FILE "${PROJECT_SOURCE_DIR}/resources/vornell.manifest")

  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${stem}.rc")
  configure_file("${PROJECT_SOURCE_DIR}/resources/vornell.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
  set_property(SOURCE "${rc}" APPEND PROPERTY OBJECT_DEPENDS "${VORNELL_ICO_FILE}"
    "${VORNELL_MANIFEST_FILE}")
endfunction()
