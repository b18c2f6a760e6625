add_executable(resize_bench ${CMAKE_CURRENT_LIST_DIR}/resize_bench.cpp
                            ${PROJECT_SOURCE_DIR}/tests/support/allocation_counter.cpp)
target_include_directories(resize_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(resize_bench PRIVATE vantro_plugin_entry vantro_platform_fake
                      benchmark::benchmark_main)
