# Skins and the local web page live next to the executable: the program finds them
# through its own folder, in the build tree as in the installed tree.
set(LUMIVEL_SKINS_DIR ${PROJECT_SOURCE_DIR}/skins)
set(LUMIVEL_WEB_DIR ${PROJECT_SOURCE_DIR}/web)

# Installed, the executable and its data share one private folder; bin/ only holds a
# symlink to it (see packaging.cmake). Qt resolves the symlink when it works out the
# program's folder, so the data is found the same way as in the build tree.
set(LUMIVEL_INSTALL_DIR lib/simlumivel)

file(GLOB_RECURSE LUMIVEL_DATA_FILES CONFIGURE_DEPENDS
    ${LUMIVEL_SKINS_DIR}/*.skn ${LUMIVEL_WEB_DIR}/*)

add_custom_target(lumivel_data ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${LUMIVEL_SKINS_DIR} $<TARGET_FILE_DIR:simlumivel>
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${LUMIVEL_WEB_DIR} $<TARGET_FILE_DIR:simlumivel>/web
    SOURCES ${LUMIVEL_DATA_FILES}
    COMMENT "Copying skins and web page next to simlumivel")
add_dependencies(simlumivel lumivel_data)

install(DIRECTORY ${LUMIVEL_SKINS_DIR}/ DESTINATION ${LUMIVEL_INSTALL_DIR}
    FILES_MATCHING PATTERN "*.skn")
install(DIRECTORY ${LUMIVEL_WEB_DIR}/ DESTINATION ${LUMIVEL_INSTALL_DIR}/web)

# bin/simlumivel -> ../lib/simlumivel/simlumivel, made in the build tree and installed
# as a symlink (install copies links as links; DESTDIR staging keeps it relative).
file(RELATIVE_PATH LUMIVEL_BIN_TO_EXE /usr/bin /usr/${LUMIVEL_INSTALL_DIR}/simlumivel)
set(LUMIVEL_BIN_LINK ${CMAKE_CURRENT_BINARY_DIR}/bin-link/simlumivel)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/bin-link)
file(CREATE_LINK ${LUMIVEL_BIN_TO_EXE} ${LUMIVEL_BIN_LINK} SYMBOLIC)
install(FILES ${LUMIVEL_BIN_LINK} DESTINATION bin)
