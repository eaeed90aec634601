// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/accents.hpp"

#include <array>
#include <utility>

namespace lumivel {
namespace {

// Windows-1252 accented vowels and the plain letter each stands for.
constexpr std::array<std::pair<std::string_view, char>, 12> kVowels = {{
    {"\xC0\xC1\xC2\xC3\xC4\xC5", 'A'},
    {"\xC8\xC9\xCA\xCB", 'E'},
    {"\xCC\xCD\xCE\xCF", 'I'},
    {"\xD2\xD3\xD4\xD5\xD6", 'O'},
    {"\xD9\xDA\xDB\xDC", 'U'},
    {"\xDD\x9F", 'Y'},
    {"\xE0\xE1\xE2\xE3\xE4\xE5", 'a'},
    {"\xE8\xE9\xEA\xEB", 'e'},
    {"\xEC\xED\xEE\xEF", 'i'},
    {"\xF2\xF3\xF4\xF5\xF6", 'o'},
    {"\xF9\xFA\xFB\xFC", 'u'},
    {"\xFD\xFF", 'y'},
}};

} // namespace

UnaccentedText stripAccents(std::string_view texto) {
    UnaccentedText result;
    result.texto.reserve(texto.size());
    for (const char c : texto) {
        char plain = c;
        for (const auto& [accented, vowel] : kVowels) {
            if (accented.find(c) != std::string_view::npos) {
                plain = vowel;
            }
        }
        result.enyeRemains = result.enyeRemains || c == '\xD1' || c == '\xF1';
        result.texto += plain;
    }
    return result;
}

} // namespace lumivel
