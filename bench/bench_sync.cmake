# End to end: the picture change against the click heard, on each output
# (bench/sync.sh; needs a display and a sound server, and Wine for Windows builds).
if(CMAKE_CROSSCOMPILING)
  return()
endif()
add_executable(sync_data ${CMAKE_CURRENT_LIST_DIR}/sync_data.cpp)
target_link_libraries(sync_data PRIVATE zeph_music zeph_pngwriter zeph_warnings)
