# The listing benchmark: whole processes reading a listing file, and the remote list filled from it, beside mawk.
add_executable(bench_listing ${CMAKE_CURRENT_SOURCE_DIR}/listing.cpp)
# No shared precompiled header: Qt's test module defines QT_TESTCASE_BUILDDIR per binary folder.
target_link_libraries(bench_listing PRIVATE hftp_session hftp_common)
