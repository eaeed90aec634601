// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace lumivel {

// The program's local web page, shipped in the "web" folder next to the executable.
inline constexpr const char* kWebPage = "web/simlumivel.html";

std::string webPagePath(const std::string& programFolder);

} // namespace lumivel
