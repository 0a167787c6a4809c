# The review program that shows the dialogs and saves pictures of them (run by hand through
# tests/support/helpers/review_dialogs; not a test).
add_executable(dialog_screenshots ${PROJECT_SOURCE_DIR}/tests/support/helpers/dialog_screenshots.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/helpers/review_memo.cpp)
target_link_libraries(dialog_screenshots PRIVATE hftp_dialogs)
hftp_use_common(dialog_screenshots)
