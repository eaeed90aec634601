#include "app/store_session.hpp"

#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "base/windows1252.hpp"
#include "presentation/editing_mode.hpp"
#include "presentation/presentation_choice.hpp"
#include "session/file_choice.hpp"
#include "session/message_list.hpp"
#include "base/hexadec.hpp"

#include <filesystem>

namespace lumivel::cli {
namespace fs = std::filesystem;

namespace {

std::string unaLinea(std::string texto) {
    for (std::size_t at = texto.find("\r\n"); at != std::string::npos; at = texto.find("\r\n")) {
        texto.replace(at, 2, " ");
    }
    return texto;
}

} // namespace

StoreSession::StoreSession(const std::string& path, Open mode) : sign_(0), path_(path) {
    std::error_code ec;
    const bool existia = fs::exists(path, ec);
    if (mode != Open::CreateMissing && !existia) {
        throw StoreFailure{path + ": no existe"};
    }
    Lumivel& l = estado();
    std::optional<FileError> error;
    if (mode == Open::ReadOnly) {
        error = l.archivo.open(path, MessageFile::Access::ReadOnly);
        if (!error && l.archivo.count() > MessageFile::kMaxRecords) {
            error = FileError{path, "tiene mas de " + std::to_string(MessageFile::kMaxRecords) +
                                        " registros; no es un archivo de mensajes"};
        }
        if (!error) {
            l.totalmensajes = 1;
            error = llenarlista(l);
        }
    } else {
        error = abrirArchivoMensajes(l, path);
        creado_ = !existia && !error;
    }
    if (error) {
        throw StoreFailure{error->describe()};
    }
}

void StoreSession::editarTexto(int fontIndex, int effectIndex, const std::string& utf8) {
    Lumivel& l = estado();
    seleccionarOption1(l, kModoTexto);
    seleccionarOpMostrar(l, effectIndex);
    seleccionarOpletra(l, fontIndex);
    cambiarTexto(l, utf8ToWindows1252(utf8));
}

void StoreSession::editarImagen(const std::array<std::uint8_t, 64>& columnas) {
    Lumivel& l = estado();
    seleccionarOption1(l, kModoDibujo);
    l.sign.borrar();
    for (int k = 0; k < 64; ++k) {
        l.sign.cbin(columnas[static_cast<std::size_t>(k)], k);
        l.sign.envector(k);
    }
    l.sign.mostrar();
}

void StoreSession::seleccionar(const std::string& numero) {
    if (!seleccionarNumero(estado(), std::stoi(messageNumber(numero)))) {
        throw StoreFailure{path_ + ": no hay ningun mensaje numero " + numero};
    }
}

void StoreSession::comprobar() {
    if (!dialogs_.mostradas.empty()) {
        throw StoreFailure{unaLinea(dialogs_.mostradas.front().texto)};
    }
}

void StoreSession::descartarSiCreado() {
    if (creado_) {
        estado().archivo.close();
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
}

std::string messageNumber(const std::string& text) {
    std::size_t usado = 0;
    int numero = 0;
    try {
        numero = std::stoi(text, &usado);
    } catch (const std::exception&) {
        usado = 0;
    }
    if (usado == 0 || usado != text.size()) {
        throw UsageError{"numero de mensaje no valido: " + text};
    }
    return std::to_string(numero);
}

int effectIndex(const Arguments& args) {
    static constexpr std::array<const char*, 3> names = {"caminando", "porfila", "porcolumna"};
    const auto effect = args.value("effect");
    if (!effect) {
        return 0;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (*effect == names[i]) {
            return static_cast<int>(i);
        }
    }
    throw UsageError{"efecto desconocido: " + *effect + " (caminando, porfila o porcolumna)"};
}

std::array<std::uint8_t, 64> pictureColumns(const std::string& hex) {
    if (hex.size() != 128) {
        throw UsageError{"una imagen son 128 digitos hexadecimales, no " +
                         std::to_string(hex.size())};
    }
    std::array<std::uint8_t, 64> columnas{};
    for (std::size_t k = 0; k < 64; ++k) {
        const int alto = digitoHexadecimal(hex[2 * k]);
        const int bajo = digitoHexadecimal(hex[2 * k + 1]);
        if (alto < 0 || bajo < 0) {
            throw UsageError{"digito no hexadecimal en la imagen, columna " + std::to_string(k)};
        }
        columnas[k] = static_cast<std::uint8_t>(alto * 16 + bajo);
    }
    return columnas;
}

} // namespace lumivel::cli
