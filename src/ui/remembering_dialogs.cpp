// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/remembering_dialogs.hpp"

#include "ui/settings.hpp"

#include <QDir>
#include <QFileInfo>

namespace lumivel {

FileDialogOptions RememberingDialogs::withLastFile(FileDialogOptions options) const {
    if (!options.folder.empty()) {
        return options;
    }
    const QString last = Settings().lastFile(options.memory);
    if (last.isEmpty()) {
        return options;
    }
    const QFileInfo info(last);
    // A folder removed since falls back to the platform's default rather than a dialog
    // opening on nothing.
    if (!info.absoluteDir().exists()) {
        return options;
    }
    options.folder = info.absolutePath().toStdString();
    // A name the caller proposes (an export's own) wins over the one remembered.
    if (options.name.empty()) {
        options.name = info.fileName().toStdString();
    }
    return options;
}

void RememberingDialogs::remember(FileMemory kind, const std::optional<std::string>& chosen) {
    if (chosen && !chosen->empty()) {
        Settings().setLastFile(kind, QFileInfo(QString::fromStdString(*chosen)).absoluteFilePath());
    }
}

std::optional<std::string> RememberingDialogs::openFile(const FileDialogOptions& options) {
    std::optional<std::string> chosen = inner_.openFile(withLastFile(options));
    remember(options.memory, chosen);
    return chosen;
}

std::optional<std::string> RememberingDialogs::saveFile(const FileDialogOptions& options) {
    std::optional<std::string> chosen = inner_.saveFile(withLastFile(options));
    remember(options.memory, chosen);
    return chosen;
}

} // namespace lumivel
