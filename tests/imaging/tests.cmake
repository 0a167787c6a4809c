# The giflib-linked dump program the GIF tests compare our reader and writer with.
find_library(GIF_LIBRARY gif REQUIRED)
add_executable(gif_dump ${CMAKE_CURRENT_LIST_DIR}/oracle/gif_dump.c)
target_link_libraries(gif_dump PRIVATE ${GIF_LIBRARY})
add_dependencies(${tests} gif_dump)
target_compile_definitions(${tests} PRIVATE GIF_DUMP="$<TARGET_FILE:gif_dump>")
