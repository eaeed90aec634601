// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"

#include <cstddef>
#include <iosfwd>
#include <string>

namespace lumivel::cli {

// A text typed on the command line in Windows-1252, as files and the sign hold it.
struct TextArgument {
    std::string bytes;
    // Characters outside Windows-1252, stored as "?".
    std::size_t replaced = 0;
};

TextArgument textArgument(const std::string& utf8);
// The same, refused when it is longer than a message record holds.
Result<TextArgument> messageTextArgument(const std::string& utf8);

// Tells on `err` that characters became "?"; nothing when none did. `what` ends the
// sentence ("se guardaron", "se muestran").
void warnReplaced(std::ostream& err, const char* command, const TextArgument& text,
                  const char* what);

// Tells on `err` which characters of `bytes` (Windows-1252) the font of Opletra index
// `fontIndex` shows as a gap, as the window warns of them; nothing when it has them all.
void warnMissingGlyphs(std::ostream& err, const char* command, int fontIndex,
                       const std::string& bytes, bool withExtraGlyphs = false);

// Tells on `err` that the picture composed of `bytes` (Windows-1252) in that font is wider
// than the sign and what it cuts, as the composer says; nothing when it fits.
void warnComposedCut(std::ostream& err, const char* command, int fontIndex,
                     const std::string& bytes);

// A text for a terminal line: control characters (ESC, line breaks, tabs, C1 codes) as
// \u00XX, so a message cannot move the cursor, retitle the terminal or forge lines.
std::string printable(const std::string& utf8);

} // namespace lumivel::cli
