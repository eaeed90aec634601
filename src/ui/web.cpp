#include "ui/web.hpp"

#include "appearance/web_page.hpp"
#include "ui/skin.hpp"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace lumivel {

void openWebPage() {
    const QString ruta = QString::fromStdString(webPagePath(executableFolder()));
    QDesktopServices::openUrl(QUrl::fromLocalFile(ruta));
}

} // namespace lumivel
