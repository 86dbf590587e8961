# Desktop integration: the menu entry and the icon in the hicolor theme.
include(GNUInstallDirs)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/wexlo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/wexlo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/wexlo-128.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps RENAME wexlo.png)
