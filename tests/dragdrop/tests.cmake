# The programs the drag-and-drop tests run on a private X server: a peer that drags and takes
# drops as another program would, a window holding a file drop target, and one holding the
# editor. The tests that need the X server run as their own test, labelled x11.
add_executable(dnd_peer ${PROJECT_SOURCE_DIR}/tests/tools/dnd_peer.cpp)
target_link_libraries(dnd_peer PRIVATE Qt6::Widgets)
hftp_use_common(dnd_peer)
hftp_program(drop_file_target_window ${PROJECT_SOURCE_DIR}/tests/tools/drop_file_target_window.cpp LIBS dragdrop)
# The editor's own drag and drop meets the peer through a window holding the editor control.
hftp_program(editor_dnd_window ${PROJECT_SOURCE_DIR}/tests/tools/editor_dnd_window.cpp LIBS editor)
add_dependencies(${tests} dnd_peer drop_file_target_window editor_dnd_window)
target_compile_definitions(${tests} PRIVATE
    HFTP_DND_PEER="$<TARGET_FILE:dnd_peer>"
    HFTP_DROP_FILE_TARGET_WINDOW="$<TARGET_FILE:drop_file_target_window>"
    HFTP_EDITOR_DND_WINDOW="$<TARGET_FILE:editor_dnd_window>")
set_tests_properties(dragdrop PROPERTIES ENVIRONMENT "GTEST_FILTER=-X11*")
add_test(NAME dragdrop_x11 COMMAND ${tests} --gtest_filter=X11*)
set_tests_properties(dragdrop_x11 PROPERTIES LABELS x11 TIMEOUT 300)
