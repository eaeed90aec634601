#include "ui/qt_dialogs.hpp"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace lumivel {
namespace {

QMessageBox::StandardButton qtButton(Answer respuesta) {
    switch (respuesta) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons qtButtons(Buttons botones) {
    switch (botones) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon qtIcon(Icon icono) {
    switch (icono) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

Answer fromQt(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

} // namespace

Answer QtDialogs::mensaje(const MessageBoxSpec& caja) {
    QMessageBox box(qtIcon(caja.icono), QString::fromStdString(caja.title),
                    QString::fromStdString(caja.texto), qtButtons(caja.botones), parent_);
    box.setDefaultButton(qtButton(caja.defaultAnswer));
    return fromQt(box.exec());
}

std::optional<std::string> QtDialogs::archivo(const FileDialogOptions& opciones, bool guardar) {
    QFileDialog dialog(parent_, QString::fromStdString(opciones.title),
                       QString::fromStdString(opciones.carpeta));
    QStringList filters;
    for (const std::string& filtro : opciones.filters) {
        filters << QString::fromStdString(filtro);
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromStdString(opciones.defaultSuffix));
    dialog.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Opening accepts a new name too: it makes an empty message file.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!opciones.nombre.empty()) {
        dialog.selectFile(QString::fromStdString(opciones.nombre));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtDialogs::openFile(const FileDialogOptions& opciones) {
    return archivo(opciones, false);
}

std::optional<std::string> QtDialogs::saveFile(const FileDialogOptions& opciones) {
    return archivo(opciones, true);
}

std::optional<Rgb> QtDialogs::chooseColor(Rgb inicial) {
    const QColor color = QColorDialog::getColor(QColor(inicial.r, inicial.g, inicial.b), parent_);
    if (!color.isValid()) {
        return std::nullopt;
    }
    return Rgb{color.red(), color.green(), color.blue()};
}

} // namespace lumivel
