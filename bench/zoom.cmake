add_executable(zoom_bench ${CMAKE_CURRENT_LIST_DIR}/zoom_bench.cpp)
target_link_libraries(zoom_bench PRIVATE vantro_plugin_zoom vantro_plugin_entry
                      vantro_platform_fake benchmark::benchmark_main)
