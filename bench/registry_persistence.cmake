add_executable(bench_registry_persistence ${CMAKE_CURRENT_SOURCE_DIR}/registry_persistence.cpp)
# No shared precompiled header: Qt's test module defines a different build folder here.
target_link_libraries(bench_registry_persistence PRIVATE hftp_settings hftp_common benchmark::benchmark)
