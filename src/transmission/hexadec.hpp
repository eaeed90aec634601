#pragma once
#include <string>
#include <string_view>

namespace lumivel {

// Hexadecimal digit text to its value as decimal text ("FF" -> "255").
// Only '0'-'9' and 'A'-'F' count; any other character adds nothing but keeps its weight.
std::string hexadec(std::string_view texto);

// The same conversion as an integer, for callers that convert the text back anyway.
int hexadecValue(std::string_view texto);

} // namespace lumivel
