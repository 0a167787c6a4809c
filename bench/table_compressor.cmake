add_executable(bench_table_compressor ${CMAKE_CURRENT_SOURCE_DIR}/table_compressor.cpp)
# No shared precompiled header: the source folder is passed in as a definition.
target_link_libraries(bench_table_compressor PRIVATE hftp_highlighter hftp_common benchmark::benchmark)
target_compile_definitions(bench_table_compressor PRIVATE HFTP_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
