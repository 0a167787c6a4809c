# The pictures of the option dialogs' buttons (spin arrows, the colour button's drop-down arrow),
# drawn by the project and compiled in as Qt resources ":/options/<name>.png".
file(GLOB hftp_options_pictures CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/highlighter/options/pictures/*.png)
qt_add_resources(${lib} "options_pictures" PREFIX "/options" BASE ${PROJECT_SOURCE_DIR}/src/highlighter/options/pictures
    FILES ${hftp_options_pictures})
