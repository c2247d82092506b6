# The same source builds to the same bytes, whatever folder it is built in,
# whenever, and under whichever time zone or locale. (CPack packs with umask
# 022 under fakeroot, see the Makefile: the modes and owners in the packages
# are then the same whoever builds them.)
#
# Include from the top-level CMakeLists.txt after project() and before the
# first add_subdirectory(). It sets:
#
#   VORNELL_SOURCE_DATE_EPOCH   the one date that goes into built files, in
#       seconds since 1970-01-01 UTC: SOURCE_DATE_EPOCH from the environment
#       when it is set (a distribution rebuilding the package), else the
#       release day VORNELL_RELEASE_DATE at 00:00 UTC. rcc stamps it on every
#       compiled-in resource (vornell_add_resources), CPack on every packaged
#       file (Packaging.cmake, WindowsPackaging.cmake).
#
# and for every target:
#   - the source folder is written as "." into objects (__FILE__, debug
#     information): -ffile-prefix-map; the presets' build folders lie in it;
#   - a Windows program carries no time stamp of its link in its PE header
#     (the header's checksum then follows the contents alone); the strip of
#     the packed Vornell.exe writes VORNELL_SOURCE_DATE_EPOCH there
#     (WindowsPackaging.cmake).

include_guard(GLOBAL)

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(VORNELL_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
  if(NOT VORNELL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is '${VORNELL_SOURCE_DATE_EPOCH}', not a number of seconds")
  endif()
else()
  execute_process(COMMAND date --utc --date "${VORNELL_RELEASE_DATE} 00:00:00 UTC" +%s
    OUTPUT_VARIABLE VORNELL_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
endif()
message(STATUS "Reproducible build: files dated ${VORNELL_SOURCE_DATE_EPOCH} (SOURCE_DATE_EPOCH)")

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.")
endif()

if(WIN32 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_link_options(LINKER:--no-insert-timestamp)
endif()
