// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>

namespace lumivel {

// Font of the program's windows: a plain sans of the size the layouts assume.
QFont windowFont();

} // namespace lumivel
