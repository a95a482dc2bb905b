# Which platform seam this build uses: the Win32 one for MinGW/MSVC builds,
# the web page's for emscripten, the SDL2 one everywhere else.
if(WIN32)
  set(ZEPH_PLATFORM win32)
elseif(EMSCRIPTEN)
  set(ZEPH_PLATFORM web)
else()
  set(ZEPH_PLATFORM sdl2)
endif()
message(STATUS "zeph platform: ${ZEPH_PLATFORM}")

# What zephtool links; each subsystem adds its libraries to it.
add_library(zeph_tool_libs INTERFACE)
