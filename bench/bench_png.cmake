# Loading PNG pictures, against libpng's simplified API and zlib's inflate.
if(NOT TARGET benchmark::benchmark)
  return()
endif()
add_executable(bench_png ${CMAKE_CURRENT_LIST_DIR}/png_load.cpp)
target_link_libraries(bench_png PRIVATE zeph_image zeph_pngwriter zeph_bench_ratios PNG::PNG ZLIB::ZLIB zeph_warnings)
