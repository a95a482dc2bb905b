# Loading a large LWO2 object, against reading its bytes.
if(NOT TARGET benchmark::benchmark)
  return()
endif()
add_executable(bench_object ${CMAKE_CURRENT_LIST_DIR}/object_load.cpp)
target_link_libraries(bench_object PRIVATE zeph_object zeph_lwowriter benchmark::benchmark zeph_warnings)
