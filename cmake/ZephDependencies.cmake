# Third-party libraries, found the way CMake users expect: pkg-config for the
# Xiph libraries, CMake's own modules for libpng, zlib, OpenGL and SDL2. For the
# MinGW builds the toolchain file points both at the static prefix that
# scripts/build-mingw-deps.sh fills.
if(CMAKE_CROSSCOMPILING AND ZEPH_MINGW_TRIPLE AND CMAKE_HOST_UNIX)
  # Cached by a stamp in the prefix: a second configure does not rebuild them.
  option(ZEPH_BUILD_MINGW_DEPS "Build the static MinGW dependencies into ZEPH_MINGW_PREFIX" ON)
  if(ZEPH_BUILD_MINGW_DEPS)
    execute_process(
      COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/build-mingw-deps.sh ${ZEPH_MINGW_TRIPLE} ${ZEPH_MINGW_PREFIX}
      RESULT_VARIABLE zeph_deps_result)
    if(NOT zeph_deps_result EQUAL 0)
      message(FATAL_ERROR "scripts/build-mingw-deps.sh failed")
    endif()
  endif()
endif()

if(EMSCRIPTEN AND CMAKE_HOST_UNIX)
  option(ZEPH_BUILD_WEB_DEPS "Build the static web dependencies into ZEPH_WEB_PREFIX" ON)
  if(ZEPH_BUILD_WEB_DEPS)
    execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/build-web-deps.sh ${ZEPH_WEB_PREFIX}
                    RESULT_VARIABLE zeph_deps_result)
    if(NOT zeph_deps_result EQUAL 0)
      message(FATAL_ERROR "scripts/build-web-deps.sh failed")
    endif()
  endif()
endif()

find_package(PkgConfig REQUIRED)
if(EMSCRIPTEN)
  set(PKG_CONFIG_ARGN --static)
endif()
if(WIN32 AND NOT MSVC)
  # Static archives need the private dependencies too, and an import library
  # (.dll.a) must never be picked: the executables import only system DLLs.
  # (The platform files reset this after the toolchain file, hence here.)
  set(PKG_CONFIG_ARGN --static)
  set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
endif()
pkg_check_modules(OGG REQUIRED IMPORTED_TARGET ogg)
pkg_check_modules(VORBISFILE REQUIRED IMPORTED_TARGET vorbisfile)
pkg_check_modules(VORBISENC REQUIRED IMPORTED_TARGET vorbisenc)
find_package(PNG REQUIRED)
if(NOT CMAKE_CROSSCOMPILING)
  # The capture's video files.
  pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET libavcodec libavformat libavutil libswscale libswresample)
endif()
if(NOT ZEPH_PLATFORM STREQUAL "web") # the web's GL is its layer over emscripten's (webgl/)
  find_package(OpenGL REQUIRED)
endif()

# zephtool's reports (JSON, SHA-256). The MinGW builds have neither and build
# zephtool without inspect (tools/zephtool).
if(CMAKE_CROSSCOMPILING)
  find_package(OpenSSL QUIET COMPONENTS Crypto)
  find_package(nlohmann_json 3.9 QUIET)
else()
  find_package(OpenSSL REQUIRED COMPONENTS Crypto)
  find_package(nlohmann_json 3.9 REQUIRED) # ordered_json
endif()

if(ZEPH_PLATFORM STREQUAL "sdl2")
  find_package(SDL2 REQUIRED)
  if(NOT TARGET SDL2::SDL2)
    add_library(SDL2::SDL2 INTERFACE IMPORTED)
    target_include_directories(SDL2::SDL2 INTERFACE ${SDL2_INCLUDE_DIRS})
    target_link_libraries(SDL2::SDL2 INTERFACE ${SDL2_LIBRARIES})
  endif()
endif()
