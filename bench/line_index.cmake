# Random access into the editor's document: edits at random places in a small and a large text.
add_executable(bench_line_index ${CMAKE_CURRENT_LIST_DIR}/line_index.cpp)
target_link_libraries(bench_line_index PRIVATE hftp_editor hftp_common benchmark::benchmark)
