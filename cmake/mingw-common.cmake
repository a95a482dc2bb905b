# Shared part of the MinGW-w64 toolchain files; expects ZEPH_MINGW_TRIPLE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ZEPH_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEPH_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZEPH_MINGW_TRIPLE}-windres)

# Static libogg, libvorbis and libpng built by scripts/build-mingw-deps.sh.
include(${CMAKE_CURRENT_LIST_DIR}/cross-prefix.cmake)
zeph_cross_prefix(ZEPH_MINGW_PREFIX "Prefix of the static MinGW dependencies")

set(CMAKE_FIND_ROOT_PATH ${ZEPH_MINGW_PREFIX} /usr/${ZEPH_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# libpng.pc requires zlib.pc, which libz-mingw-w64-dev installs under /usr/<triple>.
set(ENV{PKG_CONFIG_LIBDIR} "${ZEPH_MINGW_PREFIX}/lib/pkgconfig:/usr/${ZEPH_MINGW_TRIPLE}/lib/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Tests, and the end-to-end tests' programs, run under Wine: the same command
# runs 32-bit (with Debian's wine32:i386) and 64-bit programs.
find_program(ZEPH_WINE wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ZEPH_WINE})
