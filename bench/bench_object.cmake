# Loading large LWO2 objects, against Assimp's importer and reading their bytes.
if(NOT TARGET benchmark::benchmark)
  return()
endif()
# Assimp serves only as the peer to measure against.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ZEPH_ASSIMP REQUIRED IMPORTED_TARGET assimp)
add_executable(bench_object ${CMAKE_CURRENT_LIST_DIR}/object_load.cpp)
target_link_libraries(bench_object PRIVATE zeph_object zeph_lwowriter zeph_bench_ratios PkgConfig::ZEPH_ASSIMP
                                           zeph_warnings)
