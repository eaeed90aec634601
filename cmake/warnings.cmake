# SPDX-License-Identifier: GPL-3.0-or-later
# The project's warnings, given to its own targets only: each links lumivel_warnings PRIVATE,
# so code of other projects built alongside, and targets that merely use ours, keep their own.
add_library(lumivel_warnings INTERFACE)
target_compile_options(lumivel_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    $<$<BOOL:${LUMIVEL_WERROR}>:-Werror>)
