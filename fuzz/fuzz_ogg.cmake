# Ogg Vorbis through the system's own source.
zeph_add_fuzzer(fuzz_ogg ${CMAKE_CURRENT_LIST_DIR}/fuzz_ogg.cpp zeph_audio)

# A starting corpus made by the project's own encoder.
set(fuzz_ogg_corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz_ogg_corpus)
add_custom_command(OUTPUT ${fuzz_ogg_corpus}/short.ogg ${fuzz_ogg_corpus}/chained.ogg
  COMMAND ${CMAKE_COMMAND} -E make_directory ${fuzz_ogg_corpus}
  COMMAND zephsynth --seconds 0.3 --quality 0 ${fuzz_ogg_corpus}/short.ogg
  COMMAND zephsynth --seconds 0.2 --channels 1 --rate 22050 --chain 0.2:44100:2 ${fuzz_ogg_corpus}/chained.ogg
  DEPENDS zephsynth)
add_custom_target(fuzz_ogg_corpus ALL DEPENDS ${fuzz_ogg_corpus}/short.ogg ${fuzz_ogg_corpus}/chained.ogg)
add_dependencies(zeph_fuzzers fuzz_ogg_corpus)
