#pragma once
#include <QFont>

namespace lumivel {

// Font of the program's windows: a plain sans of the size the designs assume.
QFont windowFont();

} // namespace lumivel
