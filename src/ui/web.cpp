#include "ui/web.hpp"

#include "appearance/web_page.hpp"
#include "display/dialogs.hpp"
#include "ui/skin.hpp"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace lumivel {

void abrirPaginaWeb(Dialogs& dialogs) {
    const std::string ruta = rutaPaginaWeb(carpetaPrograma());
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(ruta)))) {
        return;
    }
    CajaMensaje caja;
    caja.titulo = "Página web";
    caja.icono = Icono::Informacion;
    caja.texto = "No hay un navegador para abrir la página.\r\nLa página está en:\r\n" + ruta;
    dialogs.mensaje(caja);
}

} // namespace lumivel
