# The clipboard exchange with other programs runs on a real X server: the same test binary again,
# under xvfb-run with the xcb platform, where xclip reads what the editor copied and offers what it
# pastes. The X keyboard library reads a string past its end when the platform starts (inside the
# system library, under the sanitizer's strict string checks), so those checks are off here.
add_test(NAME editor_x11_clipboard
    COMMAND xvfb-run -a $<TARGET_FILE:${tests}> --gtest_filter=MemoClipboardX11.*)
set_tests_properties(editor_x11_clipboard PROPERTIES LABELS editor TIMEOUT 120
    ENVIRONMENT "QT_QPA_PLATFORM=xcb;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=0")

# A program that shows the editor with a fixed document and saves a picture of the screen, for
# reviewing the painting by eye: xvfb-run -a sh -c 'openbox & editor_review_window shot.png'.
hftp_program(editor_review_window ${PROJECT_SOURCE_DIR}/tests/tools/editor_review_window.cpp LIBS editor)
add_dependencies(${tests} editor_review_window)

# A program that shows the print preview of a fixed document and saves a picture of the screen,
# for reviewing it by eye: xvfb-run -a sh -c 'openbox & preview_review_window shot.png [two | grid]'.
hftp_program(preview_review_window ${PROJECT_SOURCE_DIR}/tests/tools/preview_review_window.cpp LIBS editor)
add_dependencies(${tests} preview_review_window)
