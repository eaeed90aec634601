// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_dialogs.hpp"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace lumivel {
namespace {

QMessageBox::StandardButton qtButton(Answer reply) {
    switch (reply) {
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

QMessageBox::StandardButtons qtButtons(Buttons buttons) {
    switch (buttons) {
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

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
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

Answer QtDialogs::mensaje(const MessageBoxSpec& spec) {
    QMessageBox box(qtIcon(spec.icon), QString::fromStdString(spec.title),
                    QString::fromStdString(spec.texto), qtButtons(spec.buttons), parent_);
    box.setDefaultButton(qtButton(spec.defaultAnswer));
    // A device path or a command in a box can be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    return fromQt(box.exec());
}

std::optional<std::string> QtDialogs::archivo(const FileDialogOptions& options, bool guardar) {
    QFileDialog dialog(parent_, QString::fromStdString(options.title),
                       QString::fromStdString(options.folder));
    QStringList filters;
    for (const std::string& filter : options.filters) {
        filters << QString::fromStdString(filter);
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromStdString(options.defaultSuffix));
    dialog.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Opening accepts a new name too: it makes an empty message file.
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program's save dialogs ask their own question; exports leave it to the platform's.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    if (!options.name.empty()) {
        dialog.selectFile(QString::fromStdString(options.name));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtDialogs::openFile(const FileDialogOptions& options) {
    return archivo(options, false);
}

std::optional<std::string> QtDialogs::saveFile(const FileDialogOptions& options) {
    return archivo(options, true);
}

std::optional<Rgb> QtDialogs::chooseColor(Rgb initial) {
    const QColor color = QColorDialog::getColor(QColor(initial.r, initial.g, initial.b), parent_);
    if (!color.isValid()) {
        return std::nullopt;
    }
    return Rgb{color.red(), color.green(), color.blue()};
}

} // namespace lumivel
