# A test-only program that lists a folder and Computer through the shell namespace.
add_executable(shell_namespace_list ${PROJECT_SOURCE_DIR}/tests/tools/shell_namespace_list.cpp)
target_link_libraries(shell_namespace_list PRIVATE hftp_shell hftp_platform_widgets Qt6::Widgets)
hftp_use_common(shell_namespace_list)

# A test-only program that shows a shell tree beside the list it drives, for reviews by eye.
add_executable(shell_browser_review ${PROJECT_SOURCE_DIR}/tests/tools/shell_browser_review.cpp)
target_link_libraries(shell_browser_review PRIVATE hftp_shell hftp_platform_widgets Qt6::Widgets)
hftp_use_common(shell_browser_review)

# A review program that saves a picture of the shell list in report view (run by hand; not a test).
add_executable(shell_list_screenshot ${PROJECT_SOURCE_DIR}/tests/support/helpers/shell_list_screenshot.cpp)
target_link_libraries(shell_list_screenshot PRIVATE hftp_shell hftp_platform_widgets Qt6::Widgets)
hftp_use_common(shell_list_screenshot)
