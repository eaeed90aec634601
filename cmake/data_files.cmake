# SPDX-License-Identifier: GPL-3.0-or-later
# The skins and the local web page. In the build tree they are copied beside the
# executable; installed, they are architecture-independent data under
# share/simlumivel, and the program reaches them from its own folder (ui/data_folder).
include(GNUInstallDirs)
set(LUMIVEL_SKINS_DIR ${PROJECT_SOURCE_DIR}/skins)
set(LUMIVEL_WEB_DIR ${PROJECT_SOURCE_DIR}/web)
set(LUMIVEL_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/simlumivel)

file(GLOB_RECURSE LUMIVEL_DATA_FILES CONFIGURE_DEPENDS
    ${LUMIVEL_SKINS_DIR}/*.skn ${LUMIVEL_WEB_DIR}/*)

add_custom_target(lumivel_data ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${LUMIVEL_SKINS_DIR} $<TARGET_FILE_DIR:simlumivel>
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${LUMIVEL_WEB_DIR} $<TARGET_FILE_DIR:simlumivel>/web
    SOURCES ${LUMIVEL_DATA_FILES}
    COMMENT "Copying skins and web page next to simlumivel")
add_dependencies(simlumivel lumivel_data)

# Relative, so a prefix staged under DESTDIR or moved elsewhere still finds its data.
file(RELATIVE_PATH LUMIVEL_DATA_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR}
    ${CMAKE_INSTALL_FULL_DATADIR}/simlumivel)
target_compile_definitions(lumivel_ui PRIVATE
    LUMIVEL_DATA_FROM_BINDIR="${LUMIVEL_DATA_FROM_BINDIR}")

install(TARGETS simlumivel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${LUMIVEL_SKINS_DIR}/ DESTINATION ${LUMIVEL_INSTALL_DATA_DIR}
    FILES_MATCHING PATTERN "*.skn")
install(DIRECTORY ${LUMIVEL_WEB_DIR}/ DESTINATION ${LUMIVEL_INSTALL_DATA_DIR}/web)
