# SPDX-License-Identifier: GPL-3.0-or-later
# The core for the page. nlohmann-json is header-only; its Debian package points at
# /usr/include, which must not reach emscripten (the C library's headers live there), so
# only its own folder is made visible.
find_path(NLOHMANN_JSON_FOLDER nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
    REQUIRED)
set(LUMIVEL_NLOHMANN_ROOT ${CMAKE_BINARY_DIR}/nlohmann-include)
file(MAKE_DIRECTORY ${LUMIVEL_NLOHMANN_ROOT})
file(CREATE_LINK ${NLOHMANN_JSON_FOLDER}/nlohmann ${LUMIVEL_NLOHMANN_ROOT}/nlohmann SYMBOLIC)
add_library(nlohmann_json INTERFACE)
target_include_directories(nlohmann_json SYSTEM INTERFACE ${LUMIVEL_NLOHMANN_ROOT})
add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)

# The core reports some failures by exception (a record of the wrong size, a bad image):
# caught as on the desktop, not aborting the page.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

add_subdirectory(src)
