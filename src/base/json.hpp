// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace lumivel {

// A UTF-8 text as a JSON string, quotes included: quotes, backslashes and control
// characters are escaped, every other byte is kept as it is.
std::string jsonString(std::string_view utf8);

} // namespace lumivel
