#include "ui/web.hpp"

#include "appearance/web_page.hpp"
#include "ui/skin.hpp"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace lumivel {

void abrirPaginaWeb() {
    const QString ruta = QString::fromStdString(rutaPaginaWeb(carpetaPrograma()));
    QDesktopServices::openUrl(QUrl::fromLocalFile(ruta));
}

} // namespace lumivel
