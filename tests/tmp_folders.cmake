# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -D ROOT=folder -D NAMES=a;b;... -P tmp_folders.cmake
# Empties ROOT and makes one folder per test in it: every test run starts with an empty TMPDIR.
if(NOT ROOT MATCHES "/tests/tmp$")
    message(FATAL_ERROR "refusing to empty ${ROOT}: not a test tmp folder")
endif()
file(REMOVE_RECURSE ${ROOT})
foreach(name IN LISTS NAMES)
    file(MAKE_DIRECTORY ${ROOT}/${name})
endforeach()
