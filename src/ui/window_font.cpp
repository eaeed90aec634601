// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_font.hpp"

#include <QStringList>

namespace lumivel {

QFont windowFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    return font;
}

} // namespace lumivel
