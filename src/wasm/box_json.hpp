// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"

#include <string>

namespace lumivel {

// A message box as the page's dialogs take it: {title, texto, buttons, icon, defaultAnswer}.
std::string boxJson(const MessageBoxSpec& box);

} // namespace lumivel
