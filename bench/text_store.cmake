# Editing and loading cost of the editor's text store.
add_executable(bench_text_store ${CMAKE_CURRENT_LIST_DIR}/text_store.cpp)
# No shared precompiled header: Qt's test module defines QT_TESTCASE_BUILDDIR per binary folder.
target_link_libraries(bench_text_store PRIVATE hftp_editor hftp_common benchmark::benchmark)
