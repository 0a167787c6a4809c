# The test scripts compiled at build time by the host program and embedded in the tests, and the
# program itself for the tests that run it.
hftp_parser_images(${tests} test_parser_images
    SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/scripts/every_section.syn
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/scripts/shared_styles.inc)
add_dependencies(${tests} hftp_parsercc)
target_compile_definitions(${tests} PRIVATE HFTP_PARSERCC="$<TARGET_FILE:hftp_parsercc>"
    HFTP_TEST_SCRIPTS="${CMAKE_CURRENT_LIST_DIR}/scripts" HFTP_TEST_SAMPLES="${CMAKE_CURRENT_LIST_DIR}/samples"
    HFTP_PARSER_SCRIPTS="${PROJECT_SOURCE_DIR}/src/highlighter/parsers")
