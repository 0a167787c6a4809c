# Typing into a large highlighted web page beside QPlainTextEdit, under an X server.
add_executable(bench_keystroke ${CMAKE_CURRENT_LIST_DIR}/keystroke.cpp)
target_link_libraries(bench_keystroke PRIVATE hftp_editor hftp_highlighter hftp_common)
