# The LWO2 reader under libFuzzer. `run_fuzz_lwo` fuzzes for a bounded time,
# starting from the real files and the writer's fixtures; new inputs go to
# the build tree, never into the source tree.
zeph_add_fuzzer(fuzz_lwo ${CMAKE_CURRENT_LIST_DIR}/fuzz_lwo.cpp zeph_object)

add_executable(lwo_fuzz_inputs ${CMAKE_CURRENT_LIST_DIR}/lwo_fuzz_inputs.cpp)
target_link_libraries(lwo_fuzz_inputs PRIVATE zeph_lwowriter zeph_warnings)
add_dependencies(zeph_fuzzers lwo_fuzz_inputs)

set(ZEPH_FUZZ_SECONDS 120 CACHE STRING "How long run_fuzz_lwo fuzzes")
set(fuzz_lwo_dir ${CMAKE_CURRENT_BINARY_DIR}/fuzz_lwo_corpus)
add_custom_target(run_fuzz_lwo
  COMMAND ${CMAKE_COMMAND} -E make_directory ${fuzz_lwo_dir}/found ${fuzz_lwo_dir}/made
  COMMAND lwo_fuzz_inputs ${fuzz_lwo_dir}/made
  COMMAND fuzz_lwo -max_total_time=${ZEPH_FUZZ_SECONDS} -max_len=65536 -rss_limit_mb=2048
          -artifact_prefix=${fuzz_lwo_dir}/ ${fuzz_lwo_dir}/found ${fuzz_lwo_dir}/made
          ${PROJECT_SOURCE_DIR}/tests/data/lwo2 ${PROJECT_SOURCE_DIR}/tests/data/lwo2/triangulated
  DEPENDS fuzz_lwo lwo_fuzz_inputs
  USES_TERMINAL)
