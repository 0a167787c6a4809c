# RETR and STOR of a large file and many small uploads, beside curl and lftp against pyftpdlib and vsftpd.
add_executable(bench_ftp_transfer ${CMAKE_CURRENT_LIST_DIR}/ftp_transfer.cpp)
target_link_libraries(bench_ftp_transfer PRIVATE hftp_ftp hftp_common)
target_compile_definitions(bench_ftp_transfer PRIVATE HFTP_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
