#include "ui/web.hpp"

#include "appearance/web_page.hpp"
#include "display/dialogs.hpp"
#include "ui/skin.hpp"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace lumivel {

void openWebPage(Dialogs& dialogs) {
    const std::string ruta = webPagePath(executableFolder());
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(ruta)))) {
        return;
    }
    MessageBoxSpec caja;
    caja.title = "Página web";
    caja.icono = Icon::Information;
    caja.texto = "No hay un navegador para abrir la página.\r\nLa página está en:\r\n" + ruta;
    dialogs.mensaje(caja);
}

} // namespace lumivel
