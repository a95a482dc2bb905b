# The capture's speed on the default data set: the whole production at 60
# frames per second into an MP4, against real time, and each of its stages
# on its own (drawing, read-back, colour conversion, H.264 at three presets,
# the music). Native only: build/native/bench/bench_capture
if(CMAKE_CROSSCOMPILING OR NOT TARGET benchmark::benchmark OR NOT TARGET zeph_data)
  return()
endif()
add_executable(bench_capture ${CMAKE_CURRENT_LIST_DIR}/capture_speed.cpp)
target_link_libraries(bench_capture PRIVATE zeph_capture zeph_defaultdata zeph_production benchmark::benchmark zeph_warnings)
target_compile_definitions(bench_capture PRIVATE ZEPH_DEFAULT_SET="${CMAKE_BINARY_DIR}")
add_dependencies(bench_capture zeph_data)
