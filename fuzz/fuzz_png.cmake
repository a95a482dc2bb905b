# PNG through the system's own loader.
zeph_add_fuzzer(fuzz_png ${CMAKE_CURRENT_LIST_DIR}/fuzz_png.cpp zeph_image)

# A starting corpus: the PNG suite, copied so that libFuzzer can add to it.
set(fuzz_png_corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz_png_corpus)
add_custom_target(fuzz_png_corpus ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${fuzz_png_corpus}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/tests/data/pngsuite ${fuzz_png_corpus})
add_dependencies(zeph_fuzzers fuzz_png_corpus)

# The system's libpng carries no coverage instrumentation, which leaves the
# fuzzer nearly blind. For a real run, build libpng's sources with clang and
# -fsanitize=fuzzer-no-link,address,undefined and configure this build with
# -DPNG_LIBRARY=<that libpng16.a> -DPNG_LIBRARY_RELEASE=<the same>
# -DPNG_PNG_INCLUDE_DIR=<its png.h, pngconf.h and pnglibconf.h>.
