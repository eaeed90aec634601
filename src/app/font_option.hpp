// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/arguments.hpp"
#include "display/picture_composer.hpp"

namespace lumivel::cli {

// --font 5x5|5x7|5x9|negrita as the Opletra index (0..3); default 5x5.
int fontIndex(const Arguments& args);
// --effect caminando|porfila|porcolumna as the op_mostrar index (0..2); default caminando.
int effectIndex(const Arguments& args);
// --format ascii|hex: true for hex; default ascii.
bool hexFormat(const Arguments& args);
// --align left|center|right; default left.
Alignment alignment(const Arguments& args);

} // namespace lumivel::cli
