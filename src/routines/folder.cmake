# The program's bitmaps (the glyphs of the dialogs), compiled in as Qt resources.
file(GLOB hftp_routines_bitmaps CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/routines/bitmaps/*.png)
qt_add_resources(${lib} "routines_bitmaps" PREFIX "/bitmaps" BASE ${PROJECT_SOURCE_DIR}/src/routines/bitmaps
    FILES ${hftp_routines_bitmaps})
