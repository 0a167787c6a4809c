# GIF decoding and encoding, measured beside giflib in the same run.
find_library(GIF_LIBRARY gif REQUIRED)
add_executable(bench_gif_coding ${CMAKE_CURRENT_SOURCE_DIR}/gif_coding.cpp)
# No shared precompiled header: Qt's test definitions differ in this folder.
target_link_libraries(bench_gif_coding PRIVATE hftp_imaging benchmark::benchmark ${GIF_LIBRARY} hftp_common)
