// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/message_list.hpp"

#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "drawing/picture_edit.hpp"
#include "presentation/editing_mode.hpp"
#include "presentation/presentation_choice.hpp"
#include "session/file_choice.hpp"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace lumivel {
namespace {

constexpr const char* kNoSelectionTitle = "No se ha seleccionado";
constexpr const char* kNoSelectionStart =
    "No se ha seleccionado el numero de mensaje el cual decea\r\n";
constexpr const char* kNoSelectionEnd = ", seleccionelo con el click  izquierdo del  mouse ";

void warnNoSelection(Dialogs& d, const std::string& verb) {
    MessageBoxSpec box;
    box.title = kNoSelectionTitle;
    box.texto = std::string(kNoSelectionStart) + verb + kNoSelectionEnd;
    d.mensaje(box);
}

void warn(Dialogs& d, const std::string& title, const std::string& texto) {
    MessageBoxSpec box;
    box.title = title;
    box.texto = texto;
    box.icon = Icon::Exclamation;
    d.mensaje(box);
}

constexpr std::size_t kRecordLength = tipomensaje::kRecordLength;

// The file's bytes are looked at in place, and only the records used are decoded, so a
// full file costs about what a small one does.
bool matches(const std::uint8_t* record, const std::string& input) {
    return recordIsActive(record) && std::to_string(recordNumero(record)) == input;
}

std::size_t recordCount(std::span<const std::uint8_t> bytes) {
    return bytes.size() / kRecordLength;
}

const std::uint8_t* recordAt(std::span<const std::uint8_t> bytes, std::size_t position) {
    return bytes.data() + (position - 1) * kRecordLength;
}

// Position of the first active record showing `input`; 0 when none does.
std::size_t firstMatch(std::span<const std::uint8_t> bytes, const std::string& input) {
    const std::size_t total = recordCount(bytes);
    for (std::size_t position = 1; position <= total; ++position) {
        if (matches(recordAt(bytes, position), input)) {
            return position;
        }
    }
    return 0;
}

// The same, read from the file in blocks. The record buffer is left holding that record,
// or the last one when none matches, as reading them one by one left it.
Result<std::size_t> find(Lumivel& l, const std::string& input) {
    std::size_t found = 0;
    std::size_t records = 0;
    RecordBytes last{};
    const auto visit = [&](std::size_t position, const std::uint8_t* record) {
        if (found > 0) {
            return;
        }
        if (matches(record, input)) {
            found = position;
            l.mensaje = decodeRecordAt(record);
        } else {
            std::copy_n(record, last.size(), last.begin());
            records = position;
        }
    };
    LUMIVEL_TRY_VOID(l.archivo.forEachRecord(visit));
    if (found == 0 && records > 0) {
        l.mensaje = decodeRecord(last);
    }
    return found;
}

void refillOrReport(Lumivel& l, Dialogs& d) {
    if (Result<void> refilled = llenarlista(l); !refilled.ok()) {
        showFileError(d, "No se pudo leer el archivo de mensajes.", refilled.error());
    }
}

void rememberImage(Lumivel& l) {
    selectOption1(l, kDrawingMode);
    // A picture recalled over another keeps no rows of it.
    l.sign.borrar();
    const auto columnas = decodePicture(l.mensaje.texto);
    for (int k = 0; k < 64; ++k) {
        l.sign.vector[static_cast<std::size_t>(k)] = columnas[static_cast<std::size_t>(k)];
    }
    for (int k = 0; k < 64; ++k) {
        l.sign.cbin(l.sign.vector[static_cast<std::size_t>(k)], k);
    }
    l.sign.mostrar();
}

void rememberText(Lumivel& l) {
    selectOption1(l, kTextMode);
    const int presentacion = l.mensaje.presentacion;
    if (presentacion >= 1 && presentacion <= 3) {
        selectOpMostrar(l, presentacion - 1);
    }
    l.refresco = false;
    const int letra = l.mensaje.letra;
    if (letra >= 1 && letra <= 4) {
        selectOpletra(l, letra - 1);
    }
    l.refresco = true;
    const std::string texto = storedText(l.mensaje);
    if (l.texto == texto) {
        // The text box would not report an unchanged text; render it in the recalled font.
        Text1_Change(l);
    } else {
        changeText(l, texto);
    }
}

// The record of the picture the sign shows. Not the column image `vector`: some ways of
// putting a picture on the sign (the composer among them) light LEDs without it.
std::string shownPicture(const Sign& sign) {
    const Picture picture = currentPicture(sign);
    std::array<std::int16_t, Sign::kColumns> columns{};
    std::copy(picture.begin(), picture.end(), columns.begin());
    return encodePicture(columns);
}

} // namespace

tipomensaje editorMessage(const EditorState& l) {
    tipomensaje mensaje;
    if (l.option1 == kDrawingMode) {
        mensaje.texto = shownPicture(l.sign);
        mensaje.presentacion = tipomensaje::kPicture;
        mensaje.letra = tipomensaje::kPicture;
    } else {
        mensaje.texto = recordText(l.texto);
        mensaje.presentacion = l.tipopresentacion;
        mensaje.letra = l.tipoletra;
    }
    mensaje.estado = '1';
    return mensaje;
}

std::optional<int> ADICIONAR_Click(Lumivel& l, Dialogs& d) {
    if (!l.archivo.isOpen()) {
        if (Result<void> opened = openScratchFile(l); !opened.ok()) {
            showFileError(d, "No se pudo crear un archivo temporal para los mensajes.",
                          opened.error());
            return std::nullopt;
        }
    }
    // Under the lock, numbered from the file as it is now: another writer may have added
    // messages since the list was filled.
    FileLock lock(l.archivo);
    if (!lock.taken().ok()) {
        showFileError(d, "No se pudo adicionar el mensaje.", lock.taken().error());
        return std::nullopt;
    }
    if (Result<void> refilled = llenarlista(l); !refilled.ok()) {
        showFileError(d, "No se pudo adicionar el mensaje.", refilled.error());
        return std::nullopt;
    }
    const int nregistros = l.archivo.count();
    if (nregistros >= MessageFile::kMaxRecords) {
        warn(d, "Archivo lleno",
             "El archivo de mensajes ya tiene " + std::to_string(MessageFile::kMaxRecords) +
                 " registros, el maximo posible.\r\nNo se puede adicionar otro mensaje.");
        return std::nullopt;
    }
    l.mensaje = editorMessage(l);
    l.mensaje.numero = static_cast<std::int16_t>(l.totalmensajes + 1);
    if (Result<void> written = l.archivo.write(nregistros + 1, l.mensaje); !written.ok()) {
        showFileError(d, "No se pudo adicionar el mensaje.", written.error());
        return std::nullopt;
    }
    const int added = l.mensaje.numero;
    refillOrReport(l, d);
    return added;
}

std::optional<int> MODIFICAR_Click(Lumivel& l, Dialogs& d) {
    const std::string input = selectedEntry(l);
    if (input.empty()) {
        warnNoSelection(d, "Modificar");
        return std::nullopt;
    }
    FileLock lock(l.archivo);
    if (!lock.taken().ok()) {
        showFileError(d, "No se pudo modificar el mensaje.", lock.taken().error());
        return std::nullopt;
    }
    const Result<std::size_t> found = find(l, input);
    if (!found.ok()) {
        showFileError(d, "No se pudo leer el archivo de mensajes.", found.error());
        return std::nullopt;
    }
    const std::size_t position = found.value();
    if (position == 0) {
        return std::nullopt;
    }
    // The editor that is not active holds nothing of this message: an empty picture or
    // the emptied text box would replace it.
    if (l.mensaje.isPicture() && l.option1 != kDrawingMode) {
        warn(d, "No se puede modificar",
             "El mensaje " + input +
                 " es una imagen.\r\nElija el modo de dibujo para modificarlo.");
        return std::nullopt;
    }
    if (!l.mensaje.isPicture() && l.option1 == kDrawingMode) {
        warn(d, "No se puede modificar",
             "El mensaje " + input + " es un texto.\r\nElija el modo de texto para modificarlo.");
        return std::nullopt;
    }
    if (l.mensaje.isPicture()) {
        l.mensaje.texto = shownPicture(l.sign);
    } else {
        l.mensaje.presentacion = l.tipopresentacion;
        l.mensaje.letra = l.tipoletra;
        l.mensaje.texto = recordText(l.texto);
    }
    if (Result<void> written = l.archivo.write(static_cast<int>(position), l.mensaje);
        !written.ok()) {
        showFileError(d, "No se pudo modificar el mensaje.", written.error());
        return std::nullopt;
    }
    return std::stoi(input);
}

std::optional<int> ELIMINAR_Click(Lumivel& l, Dialogs& d) {
    const std::string input = selectedEntry(l);
    if (input.empty()) {
        warnNoSelection(d, "borrar");
        return std::nullopt;
    }
    // The new content is built whole and replaces the file in one rename, so a crash
    // leaves either the old numbering or the new one, never a gap.
    FileLock lock(l.archivo);
    Result<void> done = lock.taken();
    bool matched = false;
    Result<std::span<std::uint8_t>> bytes =
        done.ok() ? l.archivo.readInPlace() : Result<std::span<std::uint8_t>>(done.error());
    if (!bytes.ok()) {
        done = bytes.error();
    } else {
        const std::span<std::uint8_t> content = bytes.value();
        const std::size_t position = firstMatch(content, input);
        matched = position != 0;
        bool changed = false;
        int n = 1;
        for (std::size_t i = 1; i <= recordCount(content); ++i) {
            std::uint8_t* record = content.data() + (i - 1) * kRecordLength;
            if (i == position) {
                setRecordEstado(record, '0');
                changed = true;
            }
            if (recordIsActive(record)) {
                const auto numero = static_cast<std::int16_t>(
                    std::min(n, int{std::numeric_limits<std::int16_t>::max()}));
                changed = changed || recordNumero(record) != numero;
                setRecordNumero(record, numero);
                ++n;
            }
        }
        // A partial last record stays as it was, after the renumbered ones.
        if (changed) {
            done = l.archivo.replaceContent(content);
        }
    }
    if (!done.ok()) {
        showFileError(d, "No se pudo eliminar el mensaje.", done.error());
    }
    changeText(l, "");
    refillOrReport(l, d);
    l.sign.borrar();
    l.sign.mostrar();
    return done.ok() && matched ? std::optional(std::stoi(input)) : std::nullopt;
}

std::string changeNotice(ListChange change, int numero) {
    const char* what = change == ListChange::Added      ? " añadido"
                       : change == ListChange::Modified ? " modificado"
                                                        : " eliminado";
    return "Mensaje " + std::to_string(numero) + what;
}

void Lstcodigo_Click(Lumivel& l, Dialogs& d, int index) {
    l.lstcodigoIndex = index;
    const std::string input = selectedEntry(l);
    if (input.empty()) {
        return;
    }
    const Result<std::span<std::uint8_t>> bytes = l.archivo.readInPlace();
    if (!bytes.ok()) {
        showFileError(d, "No se pudo leer el archivo de mensajes.", bytes.error());
        return;
    }
    const std::size_t total = recordCount(bytes.value());
    for (std::size_t position = 1; position <= total; ++position) {
        if (!matches(recordAt(bytes.value(), position), input)) {
            continue;
        }
        l.mensaje = decodeRecordAt(recordAt(bytes.value(), position));
        if (l.mensaje.isPicture()) {
            rememberImage(l);
        } else {
            rememberText(l);
        }
    }
    // The record buffer ends on the last record, as reading them one by one left it.
    if (total > 0) {
        l.mensaje = decodeRecordAt(recordAt(bytes.value(), total));
    }
}

} // namespace lumivel
