# Cross-compiling for 64-bit ARM Linux with Debian's multiarch: the
# aarch64-linux-gnu GCC (crossbuild-essential-arm64) and Qt's :arm64
# development packages installed beside the native ones
# (scripts/install-deps.sh arm64):
#   cmake --preset arm64
# The programs run on this machine under qemu-aarch64, which finds the arm64
# loader and libraries where multiarch puts them.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${CMAKE_LIBRARY_ARCHITECTURE}-gcc)
set(CMAKE_CXX_COMPILER ${CMAKE_LIBRARY_ARCHITECTURE}-g++)

# Libraries and CMake packages from /usr/lib/aarch64-linux-gnu; Qt's tools
# (moc, rcc) are the native Qt's.
set(CMAKE_IGNORE_PATH /usr/lib/x86_64-linux-gnu /usr/lib/x86_64-linux-gnu/cmake)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
