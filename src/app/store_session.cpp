// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/store_session.hpp"

#include "base/hexadec.hpp"
#include "base/windows1252.hpp"
#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "presentation/editing_mode.hpp"
#include "presentation/presentation_choice.hpp"
#include "session/file_choice.hpp"
#include "session/message_list.hpp"

#include <filesystem>

namespace lumivel::cli {
namespace fs = std::filesystem;

StoreSession::StoreSession() : sign_(0) {}

Result<void> StoreSession::abrir(const std::string& path, Open mode) {
    path_ = path;
    std::error_code ec;
    const bool existed = fs::exists(path, ec);
    if (mode != Open::CreateMissing && !existed) {
        return Error{"no existe", path};
    }
    Lumivel& l = state();
    if (mode != Open::ReadOnly) {
        Result<void> opened = openMessageFile(l, path);
        created_ = !existed && opened.ok();
        return opened;
    }
    LUMIVEL_TRY_VOID(l.archivo.open(path, MessageFile::Access::ReadOnly));
    if (l.archivo.count() > MessageFile::kMaxRecords) {
        return Error{"tiene más de " + std::to_string(MessageFile::kMaxRecords) +
                         " registros; no es un archivo de mensajes",
                     path};
    }
    l.totalmensajes = 1;
    return llenarlista(l);
}

void StoreSession::editText(int fontIndex, int effectIndex, const std::string& utf8) {
    Lumivel& l = state();
    selectOption1(l, kTextMode);
    selectOpMostrar(l, effectIndex);
    selectOpletra(l, fontIndex);
    changeText(l, utf8ToWindows1252(utf8));
}

void StoreSession::editPicture(const std::array<std::uint8_t, 64>& columnas) {
    selectOption1(state(), kDrawingMode);
    sign_.showPicture(columnas);
}

Result<void> StoreSession::select(const std::string& numero) {
    if (!selectNumber(state(), std::stoi(messageNumber(numero)))) {
        return Error{"no hay ningún mensaje número " + numero, path_};
    }
    return {};
}

Result<void> StoreSession::check() const {
    if (!dialogs_.shownBoxes.empty()) {
        return Error{boxText(dialogs_.shownBoxes.front())};
    }
    return {};
}

void StoreSession::discardIfCreated() {
    if (created_) {
        state().archivo.close();
        std::error_code ignored;
        fs::remove(path_, ignored);
    }
}

std::string messageNumber(const std::string& text) {
    std::size_t used = 0;
    int numero = 0;
    try {
        numero = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size()) {
        throw UsageError{"número de mensaje no válido: " + text};
    }
    return std::to_string(numero);
}

std::array<std::uint8_t, 64> pictureColumns(const std::string& hex) {
    if (hex.size() != 128) {
        throw UsageError{"una imagen son 128 dígitos hexadecimales, no " +
                         std::to_string(hex.size())};
    }
    std::array<std::uint8_t, 64> columnas{};
    for (std::size_t k = 0; k < 64; ++k) {
        const int high = hexDigit(hex[2 * k]);
        const int low = hexDigit(hex[2 * k + 1]);
        if (high < 0 || low < 0) {
            throw UsageError{"dígito no hexadecimal en la imagen, columna " + std::to_string(k)};
        }
        columnas[k] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return columnas;
}

} // namespace lumivel::cli
