# The playback clock against the primary output's own play position (waveOut
# on Windows, under Wine here; SDL2 natively). A plain program:
#   scripts/with-test-services.sh build/<dir>/bench/bench_clock [--seconds S]
#   scripts/with-test-services.sh wine build/<dir>/bench/bench_clock.exe [--seconds S]
if(ZEPH_PLATFORM STREQUAL "win32")
  set(zeph_clock_position ${CMAKE_CURRENT_LIST_DIR}/clock_position_win32.cpp)
else()
  set(zeph_clock_position ${CMAKE_CURRENT_LIST_DIR}/clock_position_sdl.cpp)
endif()
add_executable(bench_clock ${CMAKE_CURRENT_LIST_DIR}/clock_bench.cpp ${zeph_clock_position})
target_include_directories(bench_clock PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(bench_clock PRIVATE zeph_audio zeph_music zeph_warnings)
