# One frame of the production off screen, with its default object and a large one.
if(NOT TARGET benchmark::benchmark OR NOT TARGET zeph_offscreen_production OR NOT TARGET zeph_default_set)
  return()
endif()
add_executable(bench_frame ${CMAKE_CURRENT_LIST_DIR}/frame_cost.cpp)
target_link_libraries(bench_frame PRIVATE zeph_offscreen_production zeph_default_set zeph_lwowriter zeph_bench_ratios
                                          zeph_warnings)
