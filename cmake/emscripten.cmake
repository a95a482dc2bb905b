# The web: Debian's emscripten, with the static libraries that
# scripts/build-web-deps.sh builds from Debian's sources (emscripten's own
# ports are not available: its cache is frozen).
include(${CMAKE_CURRENT_LIST_DIR}/cross-prefix.cmake)
zeph_cross_prefix(ZEPH_WEB_PREFIX "Prefix of the static web dependencies")

# Programs built for the web run under node for CMake's checks. emcmake's own
# runner passes a flag that node 20 rejects, and node 20's fetch cannot load
# the .wasm.
find_program(ZEPH_NODE node REQUIRED)
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${ZEPH_NODE};--no-experimental-fetch" CACHE STRING "Runs programs built for the web")
endif()

if(DEFINED ENV{EMSCRIPTEN})
  set(ZEPH_EMSCRIPTEN_ROOT $ENV{EMSCRIPTEN})
else()
  set(ZEPH_EMSCRIPTEN_ROOT /usr/share/emscripten)
endif()
include(${ZEPH_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake)

list(APPEND CMAKE_FIND_ROOT_PATH ${ZEPH_WEB_PREFIX})
set(ENV{PKG_CONFIG_LIBDIR} "${ZEPH_WEB_PREFIX}/lib/pkgconfig:${ZEPH_WEB_PREFIX}/share/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Thrown texts are caught (otherwise a throw aborts); no threads (they would
# need a cross-origin isolated page).
set(CMAKE_C_FLAGS_INIT "-fexceptions")
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions")

# emcc's JavaScript optimiser needs Debian's acorn, in /usr/share/nodejs,
# which a node from elsewhere does not search.
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)

# CMake's checks each configure a small project of their own, which would ask
# emcc for its version twice again: hand them the answers.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CMAKE_C_COMPILER_VERSION EMSCRIPTEN_VERSION)
