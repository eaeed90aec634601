#include "appearance/skin_file.hpp"

#include "base/hexadec.hpp"

#include <algorithm>

namespace lumivel {
namespace {

std::string_view recortar(std::string_view s) {
    const auto espacio = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && espacio(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && espacio(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

enum class Seccion { Ninguna, Skin, Paleta };

// Whether a style sheet names a file: url() loads an image of any size, decoded in full
// (and a path could name a device). Blanks and CSS escapes are ignored so "URL (" and
// "u\rl(" are caught too.
bool loadFiles(std::string_view hoja) {
    std::string compacta;
    compacta.reserve(hoja.size());
    for (const char c : hoja) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\\') {
            compacta += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
    }
    return compacta.find("url(") != std::string::npos;
}

} // namespace

bool readColor(std::string_view texto, Rgb& color) {
    if (texto.size() != 7 || texto[0] != '#') {
        return false;
    }
    int valores[3] = {};
    for (int i = 0; i < 3; ++i) {
        const int alto = hexDigit(texto[static_cast<std::size_t>(1 + 2 * i)]);
        const int bajo = hexDigit(texto[static_cast<std::size_t>(2 + 2 * i)]);
        if (alto < 0 || bajo < 0) {
            return false;
        }
        valores[i] = alto * 16 + bajo;
    }
    color = {valores[0], valores[1], valores[2]};
    return true;
}

Result<SkinData> readSkin(std::string_view texto) {
    if (texto.size() > kMaxSkinSize) {
        return Error{"archivo demasiado grande"};
    }
    SkinData datos;
    Seccion seccion = Seccion::Ninguna;
    bool vistaSkin = false;
    bool conColor = false;
    int numero = 0;
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
        std::size_t fin = texto.find('\n', inicio);
        if (fin == std::string_view::npos) {
            fin = texto.size();
        }
        const std::string_view linea = recortar(texto.substr(inicio, fin - inicio));
        const std::size_t siguiente = fin + 1;
        ++numero;
        const std::string donde = "linea " + std::to_string(numero);
        inicio = siguiente;

        if (linea.empty() || linea.front() == '#' || linea.front() == ';') {
            continue;
        }
        if (linea.front() == '[') {
            if (linea == "[skin]") {
                seccion = Seccion::Skin;
                vistaSkin = true;
            } else if (linea == "[paleta]") {
                seccion = Seccion::Paleta;
            } else if (linea == "[estilo]") {
                // The style sheet runs to the end of the file.
                if (siguiente < texto.size()) {
                    datos.styleSheet = std::string(texto.substr(siguiente));
                }
                break;
            } else {
                return Error{donde + ": seccion desconocida"};
            }
            continue;
        }
        const std::size_t igual = linea.find('=');
        if (igual == std::string_view::npos || seccion == Seccion::Ninguna) {
            return Error{donde + ": se esperaba clave = valor"};
        }
        const std::string_view clave = recortar(linea.substr(0, igual));
        const std::string_view valor = recortar(linea.substr(igual + 1));
        if (seccion == Seccion::Skin) {
            if (clave == "nombre") {
                datos.nombre = std::string(valor);
            } else if (clave == "color") {
                if (!readColor(valor, datos.color)) {
                    return Error{donde + ": color no valido"};
                }
                conColor = true;
            }
            // Other keys are left for later versions of the format.
            continue;
        }
        if (std::find(kPaletteRoles.begin(), kPaletteRoles.end(), clave) == kPaletteRoles.end()) {
            return Error{donde + ": rol de paleta desconocido"};
        }
        Rgb color;
        if (!readColor(valor, color)) {
            return Error{donde + ": color no valido"};
        }
        datos.palette.emplace_back(std::string(clave), color);
    }
    if (loadFiles(datos.styleSheet)) {
        return Error{"la hoja de estilo carga imágenes (url()), que un skin no puede usar"};
    }
    if (!vistaSkin || !conColor) {
        return Error{"falta la seccion [skin] con su color"};
    }
    return datos;
}

} // namespace lumivel
