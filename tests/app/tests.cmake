# The seeding helper of the main window's smoke run (tests/app/main_window_smoke.sh; not a test).
add_executable(main_window_seed ${PROJECT_SOURCE_DIR}/tests/support/helpers/main_window_seed.cpp)
target_link_libraries(main_window_seed PRIVATE hftp_settings)
hftp_use_common(main_window_seed)

# The whole program driven on an X server: the test binary itself runs on Xvfb (Qt on X11), with
# openbox added by the test, and takes a file dragged from the drag-and-drop tests' peer program.
# It runs as its own test, labelled x11.
add_dependencies(${tests} dnd_peer)
target_compile_definitions(${tests} PRIVATE HFTP_DND_PEER="$<TARGET_FILE:dnd_peer>")
set_tests_properties(app PROPERTIES ENVIRONMENT "GTEST_FILTER=-X11*")
# The X client libraries read strings past their ends, which a sanitized build would report as its
# own faults.
add_test(NAME app_x11 COMMAND /bin/sh -c
    "ASAN_OPTIONS=\"$ASAN_OPTIONS:strict_string_checks=0\" exec /usr/bin/xvfb-run -a -s '-screen 0 1280x900x24 -nolisten tcp' \"$0\" --gtest_filter='X11*'"
    $<TARGET_FILE:${tests}>)
set_tests_properties(app_x11 PROPERTIES LABELS x11 TIMEOUT 300 ENVIRONMENT "QT_QPA_PLATFORM=xcb")
