// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace lumivel {

struct UnaccentedText {
    std::string texto;
    // Ñ and ñ are letters of their own and stay; the caller may offer a picture for them.
    bool enyeRemains = false;
};

// `texto` (Windows-1252) with every accented vowel replaced by the plain one (á -> a,
// Ü -> U, ...), so each font can show it.
UnaccentedText stripAccents(std::string_view texto);

} // namespace lumivel
