# Helpers that give every target the same flags, one shared precompiled header,
# one library per source folder and one test binary per test folder.

add_library(hftp_common INTERFACE)
target_compile_options(hftp_common INTERFACE -Wall -Wextra)
if(HFTP_WERROR)
    target_compile_options(hftp_common INTERFACE -Werror)
endif()
target_include_directories(hftp_common INTERFACE ${PROJECT_SOURCE_DIR}/src)
# Every target links the same Qt modules so that the shared precompiled header
# sees the same definitions everywhere.
target_link_libraries(hftp_common INTERFACE Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::Test)
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

add_library(hftp_pch STATIC ${PROJECT_SOURCE_DIR}/cmake/pch_anchor.cpp)
target_link_libraries(hftp_pch PUBLIC hftp_common)
target_precompile_headers(hftp_pch PRIVATE ${PROJECT_SOURCE_DIR}/src/pch.h)

function(hftp_use_common target)
    target_link_libraries(${target} PRIVATE hftp_common)
    target_precompile_headers(${target} REUSE_FROM hftp_pch)
endfunction()

# hftp_folder(<name> [DEPENDS <folder>...])
# Builds src/<name>/ (all .cpp below it but the program entry) into hftp_<name>,
# and tests/<name>/ (all .cpp below it) into the test binary tests_<name> labelled <name>.
# An optional src/<name>/folder.cmake adds what the folder needs beyond that.
function(hftp_folder name)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp ${PROJECT_SOURCE_DIR}/src/${name}/*.h)
    list(FILTER sources EXCLUDE REGEX "/src/app/main\\.cpp$")
    set(lib hftp_${name})
    add_library(${lib} STATIC ${sources})
    hftp_use_common(${lib})
    foreach(dep IN LISTS ARG_DEPENDS)
        target_link_libraries(${lib} PUBLIC hftp_${dep})
    endforeach()

    # The init functions this folder's tests must run: its dependencies' first.
    set(inits "")
    foreach(dep IN LISTS ARG_DEPENDS)
        get_property(dep_inits GLOBAL PROPERTY HFTP_INITS_${dep})
        list(APPEND inits ${dep_inits})
    endforeach()
    if(EXISTS ${PROJECT_SOURCE_DIR}/src/${name}/${name}_init.h)
        list(APPEND inits ${name})
    endif()
    list(REMOVE_DUPLICATES inits)
    set_property(GLOBAL PROPERTY HFTP_INITS_${name} ${inits})

    include(${PROJECT_SOURCE_DIR}/src/${name}/folder.cmake OPTIONAL)

    file(GLOB_RECURSE test_sources CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/tests/${name}/*.cpp ${PROJECT_SOURCE_DIR}/tests/${name}/*.h)
    if(test_sources)
        hftp_write_inits(tests_${name} "${inits}")
        add_executable(tests_${name} ${test_sources} ${CMAKE_CURRENT_BINARY_DIR}/tests_${name}_inits.cpp)
        target_link_libraries(tests_${name} PRIVATE ${lib} hftp_test_support GTest::gmock)
        hftp_use_common(tests_${name})
        add_test(NAME ${name} COMMAND tests_${name})
        set_tests_properties(${name} PROPERTIES LABELS ${name} TIMEOUT 300)
        # An optional tests/<name>/tests.cmake adds what the tests need (helper programs).
        set(test_target tests_${name})
        include(${PROJECT_SOURCE_DIR}/tests/${name}/tests.cmake OPTIONAL)
    endif()
endfunction()

# Writes the function the test main calls to run the folders' init functions.
function(hftp_write_inits target inits)
    set(includes "")
    set(calls "")
    foreach(folder IN LISTS inits)
        string(SUBSTRING ${folder} 0 1 first)
        string(TOUPPER ${first} first)
        string(SUBSTRING ${folder} 1 -1 rest)
        string(APPEND includes "#include \"${folder}/${folder}_init.h\"\n")
        string(APPEND calls "    init${first}${rest}();\n")
    endforeach()
    file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}_inits.cpp CONTENT
"// Generated: runs the init functions of the folders this test binary links.
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
target_link_libraries(hftp_test_support PUBLIC hftp_platform GTest::gtest GTest::gmock)
target_include_directories(hftp_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(hftp_test_support PRIVATE
    HFTP_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
hftp_use_common(hftp_test_support)
