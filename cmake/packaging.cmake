# Desktop integration and the Debian package (`make package`).

install(FILES ${PROJECT_SOURCE_DIR}/packaging/simlumivel.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/simlumivel.svg
    DESTINATION share/icons/hicolor/scalable/apps)
# The .men message files as their own type, so the desktop opens them with the program.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/simlumivel-mensaje.xml DESTINATION share/mime/packages)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME simlumivel)
set(CPACK_PACKAGE_VENDOR "SimLumivel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Simulador y programador del letrero LED Lumivel de 64 x 8")
set(CPACK_PACKAGE_DESCRIPTION
    "Compone mensajes para el letrero monocromo de 64 columnas por 8 filas, los muestra en una
simulacion exacta del letrero, los guarda en archivos .men y programa el letrero real por
una linea serie. Incluye subcomandos de linea de ordenes que funcionan sin pantalla.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "SimLumivel <simlumivel@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the executable links (readelf NEEDED) by their Debian 12 packages, plus
# what the window loads at run time: the SVG icon plugins (libqt6svg6), Qt's platform
# plugins, the fonts it asks for and Qt's Spanish texts for its standard dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libgcc-s1, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6serialport6 (>= 6.4), libqt6svg6 (>= 6.4), libgif7, qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation")

include(CPack)
