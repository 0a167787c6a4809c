# Colour reduction of a large true-colour picture, measured beside ImageMagick's convert.
add_executable(bench_color_reduction ${CMAKE_CURRENT_SOURCE_DIR}/color_reduction.cpp)
# No shared precompiled header: Qt's test definitions differ in this folder.
target_link_libraries(bench_color_reduction PRIVATE hftp_imaging benchmark::benchmark hftp_common)
