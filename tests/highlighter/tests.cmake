# The test scripts compiled at build time by the host program and embedded in the tests, and the
# program itself for the tests that run it.
hftp_parser_images(${tests} test_parser_images
    SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/scripts/every_section.syn
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/scripts/shared_styles.inc)
add_dependencies(${tests} hftp_parsercc)
target_compile_definitions(${tests} PRIVATE HFTP_PARSERCC="$<TARGET_FILE:hftp_parsercc>"
    HFTP_TEST_SCRIPTS="${CMAKE_CURRENT_LIST_DIR}/scripts" HFTP_TEST_SAMPLES="${CMAKE_CURRENT_LIST_DIR}/samples"
    HFTP_PARSER_SCRIPTS="${PROJECT_SOURCE_DIR}/src/highlighter/parsers")

# A review program that saves pictures of the editor options dialog, the colour palette and the key
# assignment wizard (run by hand under xvfb-run with openbox; not a test).
add_executable(options_screenshots ${PROJECT_SOURCE_DIR}/tests/support/helpers/options_screenshots.cpp)
target_link_libraries(options_screenshots PRIVATE hftp_highlighter_options)
hftp_use_common(options_screenshots)
