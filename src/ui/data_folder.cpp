// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/data_folder.hpp"

#include "appearance/skin_table.hpp"

#include <QCoreApplication>

#include <filesystem>

namespace lumivel {

std::string dataFolder(const std::string& executableFolder) {
    const std::filesystem::path beside(executableFolder);
    if (std::filesystem::exists(beside / kDefaultSkin)) {
        return executableFolder;
    }
    // LUMIVEL_DATA_FROM_BINDIR is the installed data folder relative to the installed
    // executable's, derived from the install directories at configure time.
    return (beside / LUMIVEL_DATA_FROM_BINDIR).lexically_normal().string();
}

std::string programDataFolder() {
    return dataFolder(QCoreApplication::applicationDirPath().toStdString());
}

} // namespace lumivel
