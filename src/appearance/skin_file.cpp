// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/skin_file.hpp"

#include "base/hexadec.hpp"

#include <algorithm>

namespace lumivel {
namespace {

std::string_view trim(std::string_view s) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && space(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && space(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

enum class Section { None, Skin, Palette };

// Whether a style sheet names a file: url() loads an image of any size, decoded in full
// (and a path could name a device). Blanks and CSS escapes are ignored so "URL (" and
// "u\rl(" are caught too.
bool loadFiles(std::string_view sheet) {
    std::string compact;
    compact.reserve(sheet.size());
    for (const char c : sheet) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\\') {
            compact += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
    }
    return compact.find("url(") != std::string::npos;
}

} // namespace

Result<Rgb> readColor(std::string_view texto) {
    const Error refused{"color no válido"};
    if (texto.size() != 7 || texto[0] != '#') {
        return refused;
    }
    int values[3] = {};
    for (int i = 0; i < 3; ++i) {
        const int high = hexDigit(texto[static_cast<std::size_t>(1 + 2 * i)]);
        const int low = hexDigit(texto[static_cast<std::size_t>(2 + 2 * i)]);
        if (high < 0 || low < 0) {
            return refused;
        }
        values[i] = high * 16 + low;
    }
    return Rgb{values[0], values[1], values[2]};
}

Result<SkinData> readSkin(std::string_view texto) {
    if (texto.size() > kMaxSkinSize) {
        return Error{"archivo demasiado grande"};
    }
    SkinData skin;
    Section section = Section::None;
    bool skinView = false;
    bool withColour = false;
    int numero = 0;
    std::size_t start = 0;
    while (start < texto.size()) {
        std::size_t end = texto.find('\n', start);
        if (end == std::string_view::npos) {
            end = texto.size();
        }
        const std::string_view line = trim(texto.substr(start, end - start));
        const std::size_t next = end + 1;
        ++numero;
        const std::string where = "línea " + std::to_string(numero);
        start = next;

        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            if (line == "[skin]") {
                section = Section::Skin;
                skinView = true;
            } else if (line == "[paleta]") {
                section = Section::Palette;
            } else if (line == "[estilo]") {
                // The style sheet runs to the end of the file.
                if (next < texto.size()) {
                    skin.styleSheet = std::string(texto.substr(next));
                }
                break;
            } else {
                return Error{where + ": seccion desconocida"};
            }
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || section == Section::None) {
            return Error{where + ": se esperaba clave = valor"};
        }
        const std::string_view key = trim(line.substr(0, equals));
        const std::string_view value = trim(line.substr(equals + 1));
        if (section == Section::Skin) {
            if (key == "nombre") {
                skin.name = std::string(value);
            } else if (key == "color") {
                const Result<Rgb> color = readColor(value);
                if (!color.ok()) {
                    return Error{where + ": " + color.error().reason};
                }
                skin.color = color.value();
                withColour = true;
            }
            // Other keys are left for later versions of the format.
            continue;
        }
        if (std::find(kPaletteRoles.begin(), kPaletteRoles.end(), key) == kPaletteRoles.end()) {
            return Error{where + ": rol de paleta desconocido"};
        }
        const Result<Rgb> color = readColor(value);
        if (!color.ok()) {
            return Error{where + ": " + color.error().reason};
        }
        skin.palette.emplace_back(std::string(key), color.value());
    }
    if (loadFiles(skin.styleSheet)) {
        return Error{"la hoja de estilo carga imágenes (url()), que un skin no puede usar"};
    }
    if (!skinView || !withColour) {
        return Error{"falta la seccion [skin] con su color"};
    }
    return skin;
}

} // namespace lumivel
