# The program's bitmaps (the glyphs of the dialogs), compiled in as Qt resources.
file(GLOB hftp_settings_bitmaps CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/settings/bitmaps/*.png)
qt_add_resources(${lib} "settings_bitmaps" PREFIX "/bitmaps" BASE ${PROJECT_SOURCE_DIR}/src/settings/bitmaps
    FILES ${hftp_settings_bitmaps})
