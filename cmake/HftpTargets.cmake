# Helpers that give every target the same flags, shared precompiled headers, one library per source
# folder (or group of folders) linking only the Qt modules it uses, and one test binary per test folder.

# Every target compiles with the same Qt include folders and definitions, so that one precompiled
# header serves them all; what a target links is its own choice (hftp_library's QT argument).
add_library(hftp_common INTERFACE)
target_compile_options(hftp_common INTERFACE -Wall -Wextra)
if(HFTP_WERROR)
    target_compile_options(hftp_common INTERFACE -Werror)
endif()
target_include_directories(hftp_common INTERFACE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(hftp_common INTERFACE Qt6::Core)
foreach(module Gui Widgets PrintSupport)
    target_include_directories(hftp_common INTERFACE
        $<TARGET_PROPERTY:Qt6::${module},INTERFACE_INCLUDE_DIRECTORIES>)
    target_compile_definitions(hftp_common INTERFACE
        $<TARGET_PROPERTY:Qt6::${module},INTERFACE_COMPILE_DEFINITIONS>)
endforeach()
target_compile_definitions(hftp_common INTERFACE QT_NO_KEYWORDS)
if(HFTP_SANITIZE)
    set(HFTP_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(hftp_common INTERFACE ${HFTP_SANITIZER_FLAGS})
    target_link_options(hftp_common INTERFACE ${HFTP_SANITIZER_FLAGS})
endif()
if(HFTP_FUZZ)
    # Coverage feedback for the fuzzers from the libraries they call, not only from the targets.
    target_compile_options(hftp_common INTERFACE -fsanitize=fuzzer-no-link)
    target_link_options(hftp_common INTERFACE -fsanitize=fuzzer-no-link)
endif()
if(HFTP_COVERAGE)
    target_compile_options(hftp_common INTERFACE -fprofile-instr-generate -fcoverage-mapping)
    target_link_options(hftp_common INTERFACE -fprofile-instr-generate)
endif()

add_library(hftp_pch STATIC ${PROJECT_SOURCE_DIR}/cmake/pch_anchor.cpp)
target_link_libraries(hftp_pch PUBLIC hftp_common)
target_precompile_headers(hftp_pch PRIVATE ${PROJECT_SOURCE_DIR}/src/pch.h)

# The tests add Qt's test module, whose definitions differ: they share a header of their own.
add_library(hftp_test_pch STATIC ${PROJECT_SOURCE_DIR}/cmake/pch_anchor.cpp)
target_link_libraries(hftp_test_pch PUBLIC hftp_common Qt6::Test)
target_precompile_headers(hftp_test_pch PRIVATE ${PROJECT_SOURCE_DIR}/src/pch.h)

function(hftp_use_common target)
    target_link_libraries(${target} PRIVATE hftp_common)
    target_precompile_headers(${target} REUSE_FROM hftp_pch)
endfunction()

function(hftp_use_test_common target)
    target_link_libraries(${target} PRIVATE hftp_common Qt6::Test)
    target_precompile_headers(${target} REUSE_FROM hftp_test_pch)
endfunction()

# hftp_library(<lib> [FOLDERS <dir>...] [EXCLUDE <dir>...] [DEPENDS <lib>...] [QT <module>...])
# Builds the sources below src/<dir>/ for each FOLDERS entry (default: <lib>), without those below
# an EXCLUDE folder, into the static library hftp_<lib>. It links hftp_<dep> for each DEPENDS entry
# and Qt6::<module> for each QT entry (Core always; Gui comes with the platform library).
# A library whose first folder holds <lib>_init.h has start-up work: its function init<Lib>() is
# called, after those of the libraries it depends on, by the program and by every test binary that
# links it. An optional src/<first folder>/folder.cmake adds what the library needs beyond that.
function(hftp_library name)
    cmake_parse_arguments(ARG "" "" "FOLDERS;EXCLUDE;DEPENDS;QT" ${ARGN})
    if(NOT ARG_FOLDERS)
        set(ARG_FOLDERS ${name})
    endif()
    set(sources "")
    foreach(folder IN LISTS ARG_FOLDERS)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS
            ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
        list(APPEND sources ${found})
    endforeach()
    foreach(folder IN LISTS ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "^${PROJECT_SOURCE_DIR}/src/${folder}/")
    endforeach()
    list(FILTER sources EXCLUDE REGEX "/src/app/main\\.cpp$")

    set(lib hftp_${name})
    add_library(${lib} STATIC ${sources})
    hftp_use_common(${lib})
    foreach(dep IN LISTS ARG_DEPENDS)
        target_link_libraries(${lib} PUBLIC hftp_${dep})
    endforeach()
    foreach(module IN LISTS ARG_QT)
        target_link_libraries(${lib} PUBLIC Qt6::${module})
    endforeach()

    # The init functions to run for this library: its dependencies' first, then its own.
    set(inits "")
    foreach(dep IN LISTS ARG_DEPENDS)
        get_property(dep_inits GLOBAL PROPERTY HFTP_INITS_${dep})
        list(APPEND inits ${dep_inits})
    endforeach()
    list(GET ARG_FOLDERS 0 home)
    if(EXISTS ${PROJECT_SOURCE_DIR}/src/${home}/${name}_init.h)
        list(APPEND inits "${home}/${name}")
    endif()
    list(REMOVE_DUPLICATES inits)
    set_property(GLOBAL PROPERTY HFTP_INITS_${name} ${inits})

    include(${PROJECT_SOURCE_DIR}/src/${home}/folder.cmake OPTIONAL)
endfunction()

# hftp_tests(<folder> LIBS <lib>...)
# Builds tests/<folder>/ (recursively) into the test binary tests_<folder>, labelled <folder>,
# linking hftp_<lib> for each LIBS entry. An optional tests/<folder>/tests.cmake adds what the tests
# need beyond that (helper programs), with ${tests} naming the test binary.
function(hftp_tests folder)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB_RECURSE test_sources CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/tests/${folder}/*.h)
    set(tests tests_${folder})
    set(libs "")
    foreach(lib IN LISTS ARG_LIBS)
        list(APPEND libs hftp_${lib})
    endforeach()
    # The test main answers every prompt through the widget prompt service, so every test binary
    # starts the platform's widgets.
    hftp_write_inits(${tests} "platform_widgets;${ARG_LIBS}")
    add_executable(${tests} ${test_sources} ${CMAKE_CURRENT_BINARY_DIR}/${tests}_inits.cpp)
    target_link_libraries(${tests} PRIVATE ${libs} hftp_test_support GTest::gmock)
    hftp_use_test_common(${tests})
    add_test(NAME ${folder} COMMAND ${tests})
    set_tests_properties(${folder} PROPERTIES LABELS ${folder} TIMEOUT 300)
    include(${PROJECT_SOURCE_DIR}/tests/${folder}/tests.cmake OPTIONAL)
endfunction()

# hftp_program(<target> <source> LIBS <lib>...)
# The program <target>: its start-up calls are made from the same dependency lists as the tests'.
function(hftp_program target source)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    set(libs "")
    foreach(lib IN LISTS ARG_LIBS)
        list(APPEND libs hftp_${lib})
    endforeach()
    hftp_write_inits(${target} "${ARG_LIBS}")
    add_executable(${target} ${source} ${CMAKE_CURRENT_BINARY_DIR}/${target}_inits.cpp)
    target_link_libraries(${target} PRIVATE ${libs})
    hftp_use_common(${target})
endfunction()

# Writes runFolderInits(), which runs the init functions of the given libraries and their
# dependencies, each once, lowest first.
function(hftp_write_inits target libraries)
    set(inits "")
    foreach(lib IN LISTS libraries)
        get_property(lib_inits GLOBAL PROPERTY HFTP_INITS_${lib})
        list(APPEND inits ${lib_inits})
    endforeach()
    list(REMOVE_DUPLICATES inits)
    set(includes "")
    set(calls "")
    foreach(init IN LISTS inits)
        get_filename_component(name ${init} NAME)
        string(REPLACE "_" ";" words ${name})
        set(function "init")
        foreach(word IN LISTS words)
            string(SUBSTRING ${word} 0 1 first)
            string(TOUPPER ${first} first)
            string(SUBSTRING ${word} 1 -1 rest)
            string(APPEND function "${first}${rest}")
        endforeach()
        string(APPEND includes "#include \"${init}_init.h\"\n")
        string(APPEND calls "    ${function}();\n")
    endforeach()
    file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}_inits.cpp CONTENT
"// Generated: runs the init functions of the libraries this binary links, lowest first.
${includes}
void runFolderInits()
{
${calls}}
")
endfunction()

# The test main and fixtures shared by every test binary.
file(GLOB hftp_test_support_sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/tests/support/*.cpp ${PROJECT_SOURCE_DIR}/tests/support/*.h)
add_library(hftp_test_support STATIC ${hftp_test_support_sources})
target_link_libraries(hftp_test_support PUBLIC hftp_platform hftp_platform_widgets GTest::gtest GTest::gmock)
target_include_directories(hftp_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(hftp_test_support PRIVATE
    HFTP_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
hftp_use_test_common(hftp_test_support)
