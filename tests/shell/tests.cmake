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

# A window showing a shell list, the other side of the drag-and-drop tests with thunar on a
# private X server; those tests run as their own test, labelled x11.
hftp_program(shell_list_window ${PROJECT_SOURCE_DIR}/tests/tools/shell_list_window.cpp LIBS shell)
add_dependencies(${tests} shell_list_window)
target_compile_definitions(${tests} PRIVATE HFTP_SHELL_LIST_WINDOW="$<TARGET_FILE:shell_list_window>")
set_tests_properties(shell PROPERTIES ENVIRONMENT "GTEST_FILTER=-X11*")
add_test(NAME shell_x11 COMMAND ${tests} --gtest_filter=X11*)
set_tests_properties(shell_x11 PROPERTIES LABELS x11 TIMEOUT 300)
