// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumivel {

class Dialogs;

// Opens the program's local web page with the desktop's handler for it. When there is no
// handler (no browser registered), says where the page is, so the click is never silent.
void openWebPage(Dialogs& dialogs);

} // namespace lumivel
