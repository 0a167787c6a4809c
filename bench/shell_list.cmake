add_executable(bench_shell_list ${CMAKE_CURRENT_LIST_DIR}/shell_list.cpp)
target_link_libraries(bench_shell_list PRIVATE hftp_shell hftp_platform_widgets Qt6::Widgets hftp_common)
