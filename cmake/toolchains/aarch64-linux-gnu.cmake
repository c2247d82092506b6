# Cross-compiling for 64-bit ARM Linux with Debian's aarch64-linux-gnu GCC:
#   cmake --preset arm64-core   or   -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/aarch64-linux-gnu.cmake
# The programs run on this machine under qemu-aarch64 with the same sysroot
# (-L /usr/aarch64-linux-gnu): the preset's CMAKE_CROSSCOMPILING_EMULATOR.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(VORNELL_CROSS_TRIPLE aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${VORNELL_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${VORNELL_CROSS_TRIPLE}-g++)

# Headers and libraries come from the cross sysroot; programs from the build
# machine.
set(CMAKE_FIND_ROOT_PATH /usr/${VORNELL_CROSS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
