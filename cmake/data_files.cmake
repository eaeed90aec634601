# Skins and the local web page live next to the executable: the program finds them
# through its own folder, in the build tree as in the installed tree.
set(LUMIVEL_SKINS_DIR ${PROJECT_SOURCE_DIR}/skins)
set(LUMIVEL_WEB_DIR ${PROJECT_SOURCE_DIR}/web)

file(GLOB_RECURSE LUMIVEL_DATA_FILES CONFIGURE_DEPENDS
    ${LUMIVEL_SKINS_DIR}/*.skn ${LUMIVEL_WEB_DIR}/*)

add_custom_target(lumivel_data ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${LUMIVEL_SKINS_DIR} $<TARGET_FILE_DIR:simlumivel>
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${LUMIVEL_WEB_DIR} $<TARGET_FILE_DIR:simlumivel>/web
    SOURCES ${LUMIVEL_DATA_FILES}
    COMMENT "Copying skins and web page next to simlumivel")
add_dependencies(simlumivel lumivel_data)

install(DIRECTORY ${LUMIVEL_SKINS_DIR}/ DESTINATION bin FILES_MATCHING PATTERN "*.skn")
install(DIRECTORY ${LUMIVEL_WEB_DIR}/ DESTINATION bin/web)
