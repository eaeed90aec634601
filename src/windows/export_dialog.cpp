// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/export_dialog.hpp"

#include "store/message_store.hpp"

namespace lumivel {

void exportMessage(const Lumivel& l, Dialogs& d, ExportKind kind) {
    const bool png = kind == ExportKind::Png;
    FileDialogOptions options;
    options.title = png ? "Exportar imagen" : "Exportar animación";
    options.filters = {png ? "Imagen PNG (*.png)" : "Animación GIF (*.gif)"};
    options.defaultSuffix = png ? "png" : "gif";
    // A name of the export's own kind, never the open message file's: Enter must not
    // overwrite it. An existing file is replaced only once the person says so.
    const std::string number =
        l.lstcodigoIndex >= 0 ? "-" + std::to_string(l.lstcodigoIndex + 1) : std::string();
    options.name = "mensaje" + number + "." + options.defaultSuffix;
    options.memory = FileMemory::Exports;
    options.confirmOverwrite = true;
    const std::optional<std::string> path = d.saveFile(options);
    if (!path) {
        return;
    }
    const QColor lit(l.sign.rojo, l.sign.verde, l.sign.azul);
    if (Result<void> written = exportSign(l, kind, *path, lit); !written.ok()) {
        showFileError(d,
                      png ? "No se pudo exportar la imagen." : "No se pudo exportar la animación.",
                      written.error());
    }
}

} // namespace lumivel
