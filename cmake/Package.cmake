# What the Debian package (debian/) and `cmake --install` add beyond the program: the updater,
# the AppStream metainfo and the man page, both carrying the version of project().
include(GNUInstallDirs)
configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/wexlo.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/generated/example.wexlo.Wexlo.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/man/wexlo.1.in
               ${CMAKE_BINARY_DIR}/generated/wexlo.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/generated/example.wexlo.Wexlo.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/generated/wexlo.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# pkexec names the update in its question with this action; the path is the packaged updater's.
install(FILES ${CMAKE_SOURCE_DIR}/resources/polkit/example.wexlo.updater.policy
        DESTINATION ${CMAKE_INSTALL_DATADIR}/polkit-1/actions)
