# zeph_warnings(target): the project's warning set, errors in CI.
add_library(zeph_warnings INTERFACE)
if(MSVC)
  target_compile_options(zeph_warnings INTERFACE /W4)
  if(ZEPH_WERROR)
    target_compile_options(zeph_warnings INTERFACE /WX)
  endif()
else()
  target_compile_options(zeph_warnings INTERFACE -Wall -Wextra -Wshadow -Wconversion
    -Wno-sign-conversion -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
    -Woverloaded-virtual -Wnull-dereference -Wdouble-promotion)
  if(ZEPH_WERROR)
    target_compile_options(zeph_warnings INTERFACE -Werror)
  endif()
endif()

if(ZEPH_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
if(ZEPH_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Windows executables carry no runtime DLL of their own.
if(WIN32 AND NOT MSVC)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
if(ZEPH_BUILD_FUZZERS)
  # Coverage for libFuzzer in every library the fuzz targets link.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
