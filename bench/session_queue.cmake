# A recursive download of a tree of small files through the session's queue, beside lftp's mirror.
add_executable(bench_session_queue ${CMAKE_CURRENT_LIST_DIR}/session_queue.cpp)
target_link_libraries(bench_session_queue PRIVATE hftp_session hftp_platform_widgets Qt6::Widgets hftp_common)
target_compile_definitions(bench_session_queue PRIVATE HFTP_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
