# Installing the program: bin/WL with the name people type (wavelore),
# wavelore-render, the libraries, the pages and their pictures in
# share/wavelore, a desktop entry, the icon, the AppStream metadata and the
# file type of lesson files (.wavelore), which the desktop entry opens.
# `make package` builds a Debian package of the same files.
install(TARGETS WL wavelore-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS wlengine wlctrls wlgraphs wllessons wlapp wlanimation wloverlays LIBRARY DESTINATION ${WL_INSTALL_LIBDIR})
# The libraries find each other in their own folder.
set_target_properties(wlengine wlctrls wlgraphs wllessons wlapp wlanimation PROPERTIES INSTALL_RPATH "$ORIGIN")
install(CODE "file(CREATE_LINK WL \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/wavelore\" SYMBOLIC)")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/pages/ DESTINATION ${CMAKE_INSTALL_DATADIR}/wavelore)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/wavelore.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/wavelore-lesson.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME wavelore.xml)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/io.github.wavelore.Wavelore.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/wavelore.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/resources/WLICON@4x.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME wavelore.png)

# The Debian documents: the copyright and the compressed changelog.
execute_process(COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/wavelore)

# The manual pages, compressed as Debian wants them; WL's page is wavelore's.
foreach(page wavelore wavelore-render)
  execute_process(COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/${page}.1
                  OUTPUT_FILE ${CMAKE_BINARY_DIR}/${page}.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(CODE "file(CREATE_LINK wavelore.1.gz \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_MANDIR}/man1/WL.1.gz\" SYMBOLIC)")

set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_NAME wavelore)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Wavelore maintainers <maintainers@wavelore.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "see and turn the electron orbitals of the hydrogen atom")
set(CPACK_PACKAGE_DESCRIPTION "Wavelore teaches the electron orbitals of the hydrogen atom.\nIt samples an orbital's probability density and shows it as a dot cloud,\na ray-traced volume or slices, with help and reference pages.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
