add_executable(runtime_bench ${CMAKE_CURRENT_LIST_DIR}/runtime_bench.cpp)
target_link_libraries(runtime_bench PRIVATE vantro_runtime benchmark::benchmark_main)
