# zeph_cross_prefix(VAR DESCRIPTION): VAR, the prefix of a cross build's
# static dependencies built from Debian's sources: as given to CMake, else
# from the environment variable of the same name, else deps/ in the build
# tree. Kept in the cache, and passed to try_compile projects, which read the
# toolchain file again in a build folder of their own.
macro(zeph_cross_prefix var description)
  if(NOT ${var})
    if(DEFINED ENV{${var}})
      set(${var} $ENV{${var}})
    else()
      set(${var} ${CMAKE_BINARY_DIR}/deps)
    endif()
  endif()
  set(${var} ${${var}} CACHE PATH "${description}")
  list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ${var})
endmacro()
