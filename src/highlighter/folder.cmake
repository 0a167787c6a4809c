# The highlighter's build-time part: the parser script compiler as a host program, and the parser
# images it compiles from the parser scripts while the project builds, embedded in the library.

# The host program links the library without its start-up file, since that file registers the
# images the program makes: hftp_highlighter_tables holds the rest.
get_target_property(tables_sources hftp_highlighter SOURCES)
set(init_sources ${tables_sources})
list(FILTER init_sources INCLUDE REGEX "/highlighter_init\\.(h|cpp)$")
list(FILTER tables_sources EXCLUDE REGEX "/highlighter_init\\.(h|cpp)$")
add_library(hftp_highlighter_tables STATIC ${tables_sources})
hftp_use_common(hftp_highlighter_tables)
target_link_libraries(hftp_highlighter_tables PUBLIC hftp_editor_document)
set_property(TARGET hftp_highlighter PROPERTY SOURCES ${init_sources})
target_link_libraries(hftp_highlighter PUBLIC hftp_highlighter_tables)

add_executable(hftp_parsercc ${PROJECT_SOURCE_DIR}/src/highlighter/tools/parsercc.cpp)
hftp_use_common(hftp_parsercc)
target_link_libraries(hftp_parsercc PRIVATE hftp_highlighter_tables)

# hftp_parser_images(<target> <resource> SCRIPTS <script>... [DEPENDS <file>...])
# Compiles each script with the host program at build time into its "Parser" property and embeds
# the results in <target> as the Qt resource <resource>: ":/parsers/<script name>.parser" (the
# script's file name without its extension). A script is compiled again when it, the host program
# or one of the DEPENDS files (what its #include lines name) changes.
function(hftp_parser_images target resource)
    cmake_parse_arguments(ARG "" "" "SCRIPTS;DEPENDS" ${ARGN})
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/parsers/${resource})
    set(outputs "")
    foreach(script IN LISTS ARG_SCRIPTS)
        get_filename_component(name ${script} NAME_WE)
        set(output ${folder}/${name}.parser)
        add_custom_command(OUTPUT ${output}
            COMMAND hftp_parsercc ${script} ${output}
            DEPENDS hftp_parsercc ${script} ${ARG_DEPENDS}
            COMMENT "Compiling parser script ${name}"
            VERBATIM)
        list(APPEND outputs ${output})
    endforeach()
    qt_add_resources(${target} ${resource} PREFIX /parsers BASE ${folder} FILES ${outputs})
endfunction()

# The program's parser scripts, with the files they include.
file(GLOB parser_scripts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/highlighter/parsers/*.syn)
file(GLOB parser_includes CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/highlighter/parsers/*.inc)
if(parser_scripts)
    hftp_parser_images(hftp_highlighter parser_images SCRIPTS ${parser_scripts} DEPENDS ${parser_includes})
    target_compile_definitions(hftp_highlighter PRIVATE HFTP_PARSER_IMAGES)
endif()
