#include "ui/qt_dialogs.hpp"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace lumivel {
namespace {

QMessageBox::StandardButton qtButton(Respuesta respuesta) {
    switch (respuesta) {
    case Respuesta::Aceptar:
        return QMessageBox::Ok;
    case Respuesta::Cancelar:
        return QMessageBox::Cancel;
    case Respuesta::Si:
        return QMessageBox::Yes;
    case Respuesta::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons qtButtons(Botones botones) {
    switch (botones) {
    case Botones::Aceptar:
        return QMessageBox::Ok;
    case Botones::SiNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Botones::SiNoCancelar:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Botones::AceptarCancelar:
        return QMessageBox::Ok | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon qtIcon(Icono icono) {
    switch (icono) {
    case Icono::Ninguno:
        return QMessageBox::NoIcon;
    case Icono::Critico:
        return QMessageBox::Critical;
    case Icono::Pregunta:
        return QMessageBox::Question;
    case Icono::Exclamacion:
        return QMessageBox::Warning;
    case Icono::Informacion:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

Respuesta fromQt(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return Respuesta::Si;
    case QMessageBox::No:
        return Respuesta::No;
    case QMessageBox::Cancel:
        return Respuesta::Cancelar;
    default:
        return Respuesta::Aceptar;
    }
}

} // namespace

Respuesta QtDialogs::mensaje(const CajaMensaje& caja) {
    QMessageBox box(qtIcon(caja.icono), QString::fromStdString(caja.titulo),
                    QString::fromStdString(caja.texto), qtButtons(caja.botones), parent_);
    box.setDefaultButton(qtButton(caja.porDefecto));
    return fromQt(box.exec());
}

std::optional<std::string> QtDialogs::archivo(const OpcionesArchivo& opciones, bool guardar) {
    QFileDialog dialog(parent_, QString::fromStdString(opciones.titulo),
                       QString::fromStdString(opciones.carpeta));
    QStringList filtros;
    for (const std::string& filtro : opciones.filtros) {
        filtros << QString::fromStdString(filtro);
    }
    dialog.setNameFilters(filtros);
    dialog.setDefaultSuffix(QString::fromStdString(opciones.sufijoPorDefecto));
    dialog.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Opening accepts a new name too: it makes an empty message file.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtDialogs::abrirArchivo(const OpcionesArchivo& opciones) {
    return archivo(opciones, false);
}

std::optional<std::string> QtDialogs::guardarArchivo(const OpcionesArchivo& opciones) {
    return archivo(opciones, true);
}

std::optional<Rgb> QtDialogs::elegirColor(Rgb inicial) {
    const QColor color = QColorDialog::getColor(QColor(inicial.r, inicial.g, inicial.b), parent_);
    if (!color.isValid()) {
        return std::nullopt;
    }
    return Rgb{color.red(), color.green(), color.blue()};
}

} // namespace lumivel
