# The giflib-linked dump program the GIF tests compare our reader and writer with.
find_library(GIF_LIBRARY gif REQUIRED)
add_executable(gif_dump ${CMAKE_CURRENT_LIST_DIR}/oracle/gif_dump.c)
target_link_libraries(gif_dump PRIVATE ${GIF_LIBRARY})
add_dependencies(${tests} gif_dump)
target_compile_definitions(${tests} PRIVATE GIF_DUMP="$<TARGET_FILE:gif_dump>")

# A test-only program that writes the first frames of an animation, as a window shows them, as PNG.
add_executable(gif_animation_frames ${PROJECT_SOURCE_DIR}/tests/tools/gif_animation_frames.cpp)
target_link_libraries(gif_animation_frames PRIVATE hftp_imaging Qt6::Widgets)
hftp_use_common(gif_animation_frames)
