// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace lumivel {

// Gives every control of a built window a name a screen reader can say. Captions, group
// titles and label buddies already name their controls; a control showing only a picture
// is named by its tooltip, and a part without name or tooltip of its own (the text field
// of an editable list) by the control it belongs to. Labels showing text are left alone:
// their text is their name and follows it. Screen readers take the description from the
// tooltip as it stands.
void nameControlsForAccessibility(QWidget& window);

} // namespace lumivel
