# SPDX-License-Identifier: GPL-3.0-or-later
# Desktop integration, the manual page, the AppStream data and the Debian package
# (`make package`).
include(GNUInstallDirs)
set(LUMIVEL_APP_ID io.github.simlumivel.SimLumivel)
set(LUMIVEL_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(LUMIVEL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/simlumivel)

# The changelog's latest entry names the version and the maintainer; a release that
# forgets to add its entry, or to list itself in the metainfo, stops here.
file(STRINGS ${LUMIVEL_PACKAGING_DIR}/changelog LUMIVEL_CHANGELOG_FIRST LIMIT_COUNT 1)
file(STRINGS ${LUMIVEL_PACKAGING_DIR}/changelog LUMIVEL_CHANGELOG_TRAILER REGEX "^ -- " LIMIT_COUNT 1)
string(REGEX REPLACE "^ -- (.+>)  .*$" "\\1" LUMIVEL_MAINTAINER "${LUMIVEL_CHANGELOG_TRAILER}")
if(NOT LUMIVEL_CHANGELOG_FIRST MATCHES "^simlumivel \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog does not start with version ${PROJECT_VERSION}")
endif()
file(READ ${LUMIVEL_PACKAGING_DIR}/${LUMIVEL_APP_ID}.metainfo.xml LUMIVEL_METAINFO)
if(NOT LUMIVEL_METAINFO MATCHES "<release version=\"${PROJECT_VERSION}\"")
    message(FATAL_ERROR "the metainfo file lists no release ${PROJECT_VERSION}")
endif()

# The manual page carries the version; it and the changelog are installed compressed,
# without a time stamp in the gzip header so that the package is reproducible.
configure_file(${LUMIVEL_PACKAGING_DIR}/simlumivel.1.in ${CMAKE_BINARY_DIR}/simlumivel.1 @ONLY)
add_custom_command(OUTPUT simlumivel.1.gz changelog.gz
    COMMAND gzip -9n -c ${CMAKE_BINARY_DIR}/simlumivel.1 > simlumivel.1.gz
    COMMAND gzip -9n -c ${LUMIVEL_PACKAGING_DIR}/changelog > changelog.gz
    DEPENDS ${CMAKE_BINARY_DIR}/simlumivel.1 ${LUMIVEL_PACKAGING_DIR}/changelog
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    VERBATIM)
add_custom_target(lumivel_docs ALL DEPENDS simlumivel.1.gz changelog.gz)
add_dependencies(simlumivel lumivel_docs)

install(FILES ${CMAKE_BINARY_DIR}/simlumivel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz ${LUMIVEL_PACKAGING_DIR}/copyright
    DESTINATION ${LUMIVEL_DOC_DIR})
install(FILES ${LUMIVEL_PACKAGING_DIR}/${LUMIVEL_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${LUMIVEL_PACKAGING_DIR}/${LUMIVEL_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${LUMIVEL_PACKAGING_DIR}/simlumivel.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The .men message files as their own type, so the desktop opens them with the program.
install(FILES ${LUMIVEL_PACKAGING_DIR}/simlumivel-mensaje.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME simlumivel)
set(CPACK_PACKAGE_VENDOR "SimLumivel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulador y programador del letrero LED Lumivel de 64 x 8")
set(CPACK_PACKAGE_DESCRIPTION
    "Compone mensajes para el letrero monocromo de 64 columnas por 8 filas,
los muestra en una simulación exacta del letrero, los guarda en archivos de
mensajes (.men) y programa el letrero real por una línea serie. Incluye
subcomandos de línea de órdenes que funcionan sin pantalla.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LUMIVEL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the executable links come from dpkg-shlibdeps. Written here is only what
# it loads at run time without linking: Qt's platform plugins (the window's xcb and the
# offscreen one), the SVG plugins that draw the toolbar's icons (libqt6svg6; the linker
# drops the library itself, as no symbol of it is called), the fonts it asks for by name
# (fonts-liberation stands in for the designs' Times New Roman and MS Sans Serif) and Qt's
# Spanish texts for its standard dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6svg6 (>= 6.4), fonts-liberation, qt6-translations-l10n")

include(CPack)
