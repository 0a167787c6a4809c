# The dialogs' own pictures (the permission grid's cells, the HTML label's note), compiled in as
# Qt resources below ":/dialogs/".
file(GLOB hftp_dialogs_pictures CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/dialogs/pictures/*.png)
qt_add_resources(${lib} "dialogs_pictures" PREFIX "/dialogs" BASE ${PROJECT_SOURCE_DIR}/src/dialogs/pictures
    FILES ${hftp_dialogs_pictures})
# The pictures of the resource library "Img32.dll" (the hosting brand's picture of the wizard),
# below ":/libraries/Img32.dll/" where LoadBitmapFromLibrary looks for them.
qt_add_resources(${lib} "img32_pictures" PREFIX "/libraries/Img32.dll"
    BASE ${PROJECT_SOURCE_DIR}/src/dialogs/pictures/libraries
    FILES ${PROJECT_SOURCE_DIR}/src/dialogs/pictures/libraries/COPPERLEAF.png)
