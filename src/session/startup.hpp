// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "session/lumivel.hpp"

#include <string>

namespace lumivel {

constexpr const char* kInitialText = " LED LUMIVEL";

// The core steps of the main window's start-up, in their order: defaults of the sign and
// colour, the empty sign, the "5 x 5" font, "Caminando", text mode, the start-up text,
// the message count and the skin path. The window colours its toolbar before and
// applies the skin after.
void startUp(Lumivel& l, const std::string& programFolder);

} // namespace lumivel
