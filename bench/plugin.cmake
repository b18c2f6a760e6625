add_executable(plugin_bench ${CMAKE_CURRENT_LIST_DIR}/plugin_bench.cpp)
target_link_libraries(plugin_bench PRIVATE vantro_plugin_core benchmark::benchmark_main)
