# Start-up to the first frame, against the loaders' own times (native; needs
# a display and sound: bench/startup.sh inside scripts/with-test-services.sh).
if(CMAKE_CROSSCOMPILING)
  return()
endif()
add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/startup.cpp)
target_link_libraries(bench_startup PRIVATE zeph_production zeph_entry zeph_warnings)
add_dependencies(bench_startup zeph_data)
