# The dialogs' own pictures (the permission grid's cells, the HTML label's note), compiled in as
# Qt resources below ":/dialogs/".
file(GLOB hftp_dialogs_pictures CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/dialogs/pictures/*.png)
qt_add_resources(${lib} "dialogs_pictures" PREFIX "/dialogs" BASE ${PROJECT_SOURCE_DIR}/src/dialogs/pictures
    FILES ${hftp_dialogs_pictures})
