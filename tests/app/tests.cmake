# The seeding helper of the main window's smoke run (tests/app/main_window_smoke.sh; not a test).
add_executable(main_window_seed ${PROJECT_SOURCE_DIR}/tests/support/helpers/main_window_seed.cpp)
target_link_libraries(main_window_seed PRIVATE hftp_settings)
hftp_use_common(main_window_seed)
