#include "ui/remembering_dialogs.hpp"

#include "ui/settings.hpp"

#include <QDir>
#include <QFileInfo>

namespace lumivel {

FileDialogOptions RememberingDialogs::withLastFile(FileDialogOptions opciones) const {
    if (!opciones.carpeta.empty()) {
        return opciones;
    }
    const QString ultimo = Settings().lastFile();
    if (ultimo.isEmpty()) {
        return opciones;
    }
    const QFileInfo info(ultimo);
    // A folder removed since falls back to the platform's default rather than a dialog
    // opening on nothing.
    if (!info.absoluteDir().exists()) {
        return opciones;
    }
    opciones.carpeta = info.absolutePath().toStdString();
    opciones.nombre = info.fileName().toStdString();
    return opciones;
}

void RememberingDialogs::remember(const std::optional<std::string>& elegido) {
    if (elegido && !elegido->empty()) {
        Settings().setLastFile(QFileInfo(QString::fromStdString(*elegido)).absoluteFilePath());
    }
}

std::optional<std::string> RememberingDialogs::openFile(const FileDialogOptions& opciones) {
    std::optional<std::string> elegido = inner_.openFile(withLastFile(opciones));
    remember(elegido);
    return elegido;
}

std::optional<std::string> RememberingDialogs::saveFile(const FileDialogOptions& opciones) {
    std::optional<std::string> elegido = inner_.saveFile(withLastFile(opciones));
    remember(elegido);
    return elegido;
}

} // namespace lumivel
