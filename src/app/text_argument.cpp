// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text_argument.hpp"

#include "base/windows1252.hpp"
#include "display/missing_glyphs.hpp"
#include "session/message_problems.hpp"
#include "store/message_record.hpp"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace lumivel::cli {

TextArgument textArgument(const std::string& utf8) {
    TextArgument text;
    text.bytes = utf8ToWindows1252(utf8);
    // Every character the conversion cannot keep becomes one "?" of its own.
    const auto before = std::count(utf8.begin(), utf8.end(), '?');
    const auto after = std::count(text.bytes.begin(), text.bytes.end(), '?');
    text.replaced = static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - before, 0));
    return text;
}

Result<TextArgument> messageTextArgument(const std::string& utf8) {
    TextArgument text = textArgument(utf8);
    if (text.bytes.size() > tipomensaje::kTextLength) {
        return Error{"el texto tiene " + std::to_string(text.bytes.size()) +
                     " caracteres y un mensaje admite " + std::to_string(tipomensaje::kTextLength)};
    }
    return text;
}

void warnReplaced(std::ostream& err, const char* command, const TextArgument& text,
                  const char* what) {
    if (text.replaced == 0) {
        return;
    }
    err << "simlumivel " << command << ": aviso: " << text.replaced
        << (text.replaced == 1 ? " carácter no existe" : " caracteres no existen")
        << " en Windows-1252 y " << what << " como \"?\"\n";
}

void warnMissingGlyphs(std::ostream& err, const char* command, int fontIndex,
                       const std::string& bytes, bool withExtraGlyphs) {
    const std::string missing = missingGlyphs(fontIndex, bytes, withExtraGlyphs);
    if (!missing.empty()) {
        err << "simlumivel " << command
            << ": aviso: " << printable(windows1252ToUtf8(missingGlyphsWarning(fontIndex, missing)))
            << '\n';
    }
}

void warnComposedCut(std::ostream& err, const char* command, int fontIndex,
                     const std::string& bytes) {
    const TextCut cut = textCut(fontIndex, bytes, true);
    if (cut.columns > 0) {
        err << "simlumivel " << command
            << ": aviso: " << cutPhrase(cut.columns, printable(windows1252ToUtf8(cut.hidden)))
            << '\n';
    }
}

std::string printable(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    auto escape = [&out](unsigned code) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\u%04x", code);
        out += buffer;
    };
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0U;
        if (c < 0x20 || c == 0x7F) {
            escape(c);
        } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
            escape(next); // C1 controls: some terminals read U+009B as CSI
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

} // namespace lumivel::cli
