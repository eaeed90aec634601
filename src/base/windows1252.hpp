// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace lumivel {

// Texts in message files, on the wire and in composition are Windows-1252 bytes,
// whatever the machine's locale. These convert to and from UTF-8 for the windows
// and the command line. A character outside Windows-1252 becomes '?'.
std::string utf8ToWindows1252(std::string_view utf8);
std::string windows1252ToUtf8(std::string_view bytes);

// Case mapping of Windows-1252 letters (ASCII, Latin-1 and the few letters at 0x8A..0x9F).
std::string windows1252Upper(std::string_view bytes);
std::string windows1252Lower(std::string_view bytes);

} // namespace lumivel
