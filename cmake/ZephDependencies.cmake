# Third-party libraries, found the way CMake users expect: pkg-config for the
# Xiph libraries, CMake's own modules for libpng, zlib, OpenGL and SDL2. For the
# MinGW builds the toolchain file points both at the static prefix that
# scripts/build-mingw-deps.sh fills.
find_package(PkgConfig REQUIRED)
if(WIN32)
  # Static archives need the private dependencies too.
  set(PKG_CONFIG_ARGN --static)
endif()
pkg_check_modules(OGG REQUIRED IMPORTED_TARGET ogg)
pkg_check_modules(VORBISFILE REQUIRED IMPORTED_TARGET vorbisfile)
pkg_check_modules(VORBISENC REQUIRED IMPORTED_TARGET vorbisenc)
find_package(PNG REQUIRED)
find_package(OpenGL REQUIRED)

if(ZEPH_PLATFORM STREQUAL "sdl2")
  find_package(SDL2 REQUIRED)
  if(NOT TARGET SDL2::SDL2)
    add_library(SDL2::SDL2 INTERFACE IMPORTED)
    target_include_directories(SDL2::SDL2 INTERFACE ${SDL2_INCLUDE_DIRS})
    target_link_libraries(SDL2::SDL2 INTERFACE ${SDL2_LIBRARIES})
  endif()
endif()
