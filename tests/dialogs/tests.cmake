# The review program that shows the input prompt and the remembered-answer dialogs and saves
# pictures of them (run by hand under xvfb-run; not a test).
add_executable(dialog_screenshots ${PROJECT_SOURCE_DIR}/tests/support/helpers/dialog_screenshots.cpp)
target_link_libraries(dialog_screenshots PRIVATE hftp_dialogs)
hftp_use_common(dialog_screenshots)
