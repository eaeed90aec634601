#pragma once

namespace lumivel {

// Opens the program's local web page with the desktop's handler for it. Like the shell
// call it replaces, its outcome is not examined: a missing page or browser shows nothing.
void openWebPage();

} // namespace lumivel
