# The zip control packing a generated tree, beside zip -r and python's zipfile.
add_executable(bench_zip_archive ${CMAKE_CURRENT_LIST_DIR}/zip_archive.cpp)
target_link_libraries(bench_zip_archive PRIVATE hftp_zip hftp_common)
