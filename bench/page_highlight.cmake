# Loading and highlighting a generated web page beside kate-syntax-highlighter.
add_executable(bench_page_highlight ${CMAKE_CURRENT_LIST_DIR}/page_highlight.cpp)
target_link_libraries(bench_page_highlight PRIVATE hftp_editor hftp_highlighter hftp_common)
