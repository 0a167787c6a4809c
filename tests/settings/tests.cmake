# The child program that the process tests of the registry file start, save through and kill.
add_executable(registry_child ${PROJECT_SOURCE_DIR}/tests/support/helpers/registry_child.cpp)
target_link_libraries(registry_child PRIVATE hftp_settings)
hftp_use_common(registry_child)
add_dependencies(${tests} registry_child)
target_compile_definitions(${tests} PRIVATE HFTP_REGISTRY_CHILD="$<TARGET_FILE:registry_child>")
# A resource library for the bitmap loading tests, holding one bitmap.
qt_add_resources(${tests} "test_library" PREFIX "/libraries/Test.dll" BASE ${PROJECT_SOURCE_DIR}/src/routines/bitmaps
    FILES ${PROJECT_SOURCE_DIR}/src/routines/bitmaps/INFO.png)

# The child program that uses the global settings objects and ends as the program does.
add_executable(settings_child ${PROJECT_SOURCE_DIR}/tests/support/helpers/settings_child.cpp)
target_link_libraries(settings_child PRIVATE hftp_settings)
hftp_use_common(settings_child)
add_dependencies(${tests} settings_child)
target_compile_definitions(${tests} PRIVATE HFTP_SETTINGS_CHILD="$<TARGET_FILE:settings_child>")
