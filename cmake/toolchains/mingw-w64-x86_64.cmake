# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads):
#   cmake --preset windows   or   -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VORNELL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VORNELL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORNELL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VORNELL_MINGW_TRIPLE}-windres)

# Headers and libraries come from the mingw sysroot and from the prefixes
# named in CMAKE_PREFIX_PATH (the static Qt); programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${VORNELL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Every program is linked statically (the C and C++ runtimes and winpthreads
# included), so it runs with nothing beside it but Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
