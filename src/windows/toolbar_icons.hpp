// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QIcon>

class QColor;

namespace lumivel {

struct MainWindowControls;

// An icon of the window's resources (icons/NAME.svg).
QIcon resourceIcon(const char* name);

// Gives the buttons under the icon boxes, the icon boxes and the two mode buttons their
// icons, drawn for a toolbar of colour `background`: on a dark colour each icon gets a
// light rim so that its dark strokes stay readable. A disabled button greys its icon.
void showToolbarIcons(const MainWindowControls& controls, const QColor& background);

} // namespace lumivel
