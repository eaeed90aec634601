// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace lumivel {

// Hexadecimal digit text to its value as decimal text ("FF" -> "255").
// Only '0'-'9' and 'A'-'F' count; any other character adds nothing but keeps its weight.
std::string hexadec(std::string_view texto);

// The same conversion as an integer, for callers that convert the text back anyway.
int hexadecValue(std::string_view texto);

// A strict reading for input the user types (skin files, pictures on the command line):
// the value of one hexadecimal digit of either case, or -1 for anything else.
int hexDigit(char c);

} // namespace lumivel
