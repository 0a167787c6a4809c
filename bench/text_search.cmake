# Find and replace in the editor beside GNU grep and sed on the same generated HTML file.
add_executable(bench_text_search ${CMAKE_CURRENT_LIST_DIR}/text_search.cpp)
target_link_libraries(bench_text_search PRIVATE hftp_editor hftp_highlighter hftp_common)
