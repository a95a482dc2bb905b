# The DirectSound output's clock against its play cursor (Windows builds; a
# plain program, run under Wine inside the test services):
#   scripts/with-test-services.sh wine build/<dir>/bench/bench_directsound_clock.exe [DirectSound8] [WaveOut] [--seconds S]
if(ZEPH_PLATFORM STREQUAL "win32")
  add_executable(bench_directsound_clock ${CMAKE_CURRENT_LIST_DIR}/directsound_clock.cpp
                                         ${CMAKE_CURRENT_LIST_DIR}/clock_position_win32.cpp)
  target_include_directories(bench_directsound_clock PRIVATE ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(bench_directsound_clock PRIVATE zeph_audio zeph_music zeph_warnings)
endif()
