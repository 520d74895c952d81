# The console host's drawing benchmark, built when Google Benchmark
# (Debian's libbenchmark-dev) and the console host are there:
#   cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release
#   cmake --build build-release --target bench_console_panel
#   build-release/bench/bench_console_panel --benchmark_repetitions=9 \
#     --benchmark_report_aggregates_only=true
find_package(benchmark QUIET)
if(benchmark_FOUND AND TARGET quillet_console)
  add_executable(bench_console_panel ${CMAKE_CURRENT_LIST_DIR}/console_panel_bench.cpp)
  target_link_libraries(bench_console_panel PRIVATE quillet_console benchmark::benchmark)
  set_target_properties(bench_console_panel PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                       ${CMAKE_BINARY_DIR}/bench)
endif()
