# A test-only program that lists a folder and Computer through the shell namespace.
add_executable(shell_namespace_list ${PROJECT_SOURCE_DIR}/tests/tools/shell_namespace_list.cpp)
target_link_libraries(shell_namespace_list PRIVATE hftp_shell hftp_platform_widgets Qt6::Widgets)
hftp_use_common(shell_namespace_list)
