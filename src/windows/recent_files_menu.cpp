// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/recent_files_menu.hpp"

#include "store/message_store.hpp"
#include "ui/settings.hpp"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace lumivel {

RecentFilesMenu::RecentFilesMenu(QMenu& menu, Dialogs& d, std::function<void(const QString&)> open,
                                 QObject* parent)
    : QObject(parent), menu_(menu), d_(d), open_(std::move(open)) {
    rebuild();
}

void RecentFilesMenu::add(const QString& path) {
    Settings().addRecentFile(QFileInfo(path).absoluteFilePath());
    rebuild();
}

void RecentFilesMenu::rebuild() {
    // Deleted later: this may run inside the triggered signal of one of these actions.
    for (QAction* action : menu_.actions()) {
        menu_.removeAction(action);
        action->deleteLater();
    }
    const QStringList files = Settings().recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString& file = files.at(i);
        // "&" in a path would otherwise mark a shortcut letter.
        QString shown = QDir::toNativeSeparators(file);
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* action = menu_.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        action->setObjectName(QStringLiteral("recentFile_%1").arg(i));
        connect(action, &QAction::triggered, this, [this, file] { choose(file); });
    }
    menu_.setEnabled(!files.isEmpty());
}

void RecentFilesMenu::choose(const QString& path) {
    // Opening makes a missing file anew, empty: not what a person choosing it here wants.
    if (!QFileInfo::exists(path)) {
        Settings().removeRecentFile(path);
        rebuild();
        showFileError(d_, "No se pudo abrir el archivo de mensajes.",
                      Error{"El archivo ya no existe; se ha quitado de los archivos recientes.",
                            path.toStdString()});
        return;
    }
    open_(path);
}

} // namespace lumivel
