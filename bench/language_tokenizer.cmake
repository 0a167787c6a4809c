# Tokenizer speed of the seven language parsers over their corpora.
add_executable(bench_language_tokenizer ${CMAKE_CURRENT_LIST_DIR}/language_tokenizer.cpp)
# No shared precompiled header: the source folder is passed in as a definition.
target_link_libraries(bench_language_tokenizer PRIVATE hftp_highlighter hftp_common benchmark::benchmark)
target_compile_definitions(bench_language_tokenizer PRIVATE HFTP_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
