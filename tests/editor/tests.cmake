# The clipboard exchange with other programs runs on a real X server: the same test binary again,
# under xvfb-run with the xcb platform, where xclip reads what the editor copied and offers what it
# pastes.
add_test(NAME editor_x11_clipboard
    COMMAND xvfb-run -a $<TARGET_FILE:${tests}> --gtest_filter=MemoClipboardX11.*)
set_tests_properties(editor_x11_clipboard PROPERTIES LABELS editor TIMEOUT 120 ENVIRONMENT QT_QPA_PLATFORM=xcb)
