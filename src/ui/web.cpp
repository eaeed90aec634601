// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/web.hpp"

#include "appearance/web_page.hpp"
#include "display/dialogs.hpp"
#include "ui/data_folder.hpp"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace lumivel {

void openWebPage(Dialogs& dialogs) {
    const std::string path = webPagePath(programDataFolder());
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)))) {
        return;
    }
    MessageBoxSpec box;
    box.title = "Página web";
    box.icon = Icon::Information;
    box.texto = "No hay un navegador para abrir la página.\r\nLa página está en:\r\n" + path;
    dialogs.mensaje(box);
}

} // namespace lumivel
