# Decoding Ogg Vorbis: the source's fill against a bare ov_read loop.
if(NOT TARGET benchmark::benchmark)
  return()
endif()
add_executable(bench_vorbis ${CMAKE_CURRENT_LIST_DIR}/vorbis_fill.cpp)
target_link_libraries(bench_vorbis PRIVATE zeph_audio zeph_music zeph_bench_ratios zeph_warnings)
