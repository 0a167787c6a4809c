# The review program that shows the dialogs and saves pictures of them (run by hand through
# tests/support/helpers/review_dialogs; not a test).
add_executable(dialog_screenshots ${PROJECT_SOURCE_DIR}/tests/support/helpers/dialog_screenshots.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/helpers/review_memo.cpp)
target_link_libraries(dialog_screenshots PRIVATE hftp_dialogs)
hftp_use_common(dialog_screenshots)

# A review program that saves pictures of the shell combo and the folder-browse dialog (run by hand
# under xvfb-run with openbox; not a test).
add_executable(folder_browse_screenshots ${PROJECT_SOURCE_DIR}/tests/support/helpers/folder_browse_screenshots.cpp)
target_link_libraries(folder_browse_screenshots PRIVATE hftp_dialogs)
hftp_use_common(folder_browse_screenshots)
