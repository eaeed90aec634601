// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/picture_controller.hpp"

#include "presentation/editing_mode.hpp"
#include "ui/picture_image.hpp"
#include "ui/picture_import_dialog.hpp"
#include "ui/sign_image.hpp"
#include "windows/edit_history.hpp"
#include "windows/state_changes.hpp"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

namespace lumivel {
namespace {

void warn(Dialogs& d, const std::string& title, const std::string& text) {
    MessageBoxSpec box;
    box.title = title;
    box.texto = text;
    box.icon = Icon::Exclamation;
    d.mensaje(box);
}

} // namespace

PictureController::PictureController(QMenu& edit, QAction* importAction, Lumivel& l, Dialogs& d,
                                     EditHistory& history, StateChanges& changes, QWidget* window,
                                     QWidget* sign)
    : QObject(window), l_(l), d_(d), history_(history), changes_(changes), window_(window),
      sign_(sign) {
    connect(importAction, &QAction::triggered, this, &PictureController::importImage);
    edit.addSeparator();
    connect(addItem(edit, "copyPicture", QStringLiteral("Copiar"), QKeySequence::Copy),
            &QAction::triggered, this, &PictureController::copy);
    connect(addItem(edit, "pastePicture", QStringLiteral("Pegar"), QKeySequence::Paste),
            &QAction::triggered, this, &PictureController::paste);
    edit.addSeparator();
    struct Move {
        const char* name;
        const char* caption;
        Qt::Key key;
        ShiftDirection direction;
    };
    for (const Move& m :
         {Move{"shiftLeft", "Mover a la izquierda", Qt::Key_Left, ShiftDirection::Left},
          Move{"shiftRight", "Mover a la derecha", Qt::Key_Right, ShiftDirection::Right},
          Move{"shiftUp", "Mover arriba", Qt::Key_Up, ShiftDirection::Up},
          Move{"shiftDown", "Mover abajo", Qt::Key_Down, ShiftDirection::Down}}) {
        const QString caption = QString::fromUtf8(m.caption);
        connect(addItem(edit, m.name, caption, QKeySequence(Qt::CTRL | Qt::SHIFT | m.key)),
                &QAction::triggered, this, [this, caption, direction = m.direction] {
                    change(caption.toLower(),
                           [direction](const Picture& p) { return shifted(p, direction); });
                });
    }
    struct Mirror {
        const char* name;
        const char* caption;
        Qt::Key key;
        MirrorAxis axis;
    };
    for (const Mirror& m :
         {Mirror{"mirrorHorizontally", "Reflejar horizontalmente", Qt::Key_H,
                 MirrorAxis::Horizontal},
          Mirror{"mirrorVertically", "Reflejar verticalmente", Qt::Key_V, MirrorAxis::Vertical}}) {
        const QString caption = QString::fromUtf8(m.caption);
        connect(addItem(edit, m.name, caption, QKeySequence(Qt::CTRL | Qt::SHIFT | m.key)),
                &QAction::triggered, this, [this, caption, axis = m.axis] {
                    change(caption.toLower(),
                           [axis](const Picture& p) { return mirrored(p, axis); });
                });
    }
    showState();
}

QAction* PictureController::addItem(QMenu& menu, const char* name, const QString& caption,
                                    const QKeySequence& keys) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    items_.push_back(action);
    return action;
}

void PictureController::showState() {
    for (QAction* action : items_) {
        action->setEnabled(l_.option1 == kDrawingMode);
    }
}

void PictureController::change(const QString& step,
                               const std::function<Picture(const Picture&)>& operation) {
    if (l_.option1 != kDrawingMode) {
        return;
    }
    history_.recordDrawing(step, [&] { showPicture(l_.sign, operation(currentPicture(l_.sign))); });
}

void PictureController::copy() {
    if (l_.option1 != kDrawingMode) {
        return;
    }
    const Picture picture = currentPicture(l_.sign);
    auto* data = new QMimeData;
    data->setImageData(signImage(picture, QColor(l_.sign.rojo, l_.sign.verde, l_.sign.azul)));
    data->setText(QString::fromStdString(pictureHex(picture)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void PictureController::paste() {
    if (l_.option1 != kDrawingMode) {
        return;
    }
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    // The digits first: a picture copied here carries both, and its image is the whole
    // sign, which the import rule would not give back LED for LED.
    std::optional<Picture> picture;
    if (data != nullptr && data->hasText()) {
        picture = parsePictureHex(data->text().toStdString());
    }
    if (!picture && data != nullptr && data->hasImage()) {
        if (const auto image = qvariant_cast<QImage>(data->imageData()); !image.isNull()) {
            picture = pictureFromImage(image);
        }
    }
    if (!picture) {
        warn(d_, "Pegar",
             "El portapapeles no tiene una imagen ni un dibujo de 128 dígitos hexadecimales.");
        return;
    }
    history_.recordDrawing(QStringLiteral("pegar"), [&] { showPicture(l_.sign, *picture); });
}

void PictureController::importImage() {
    FileDialogOptions options;
    options.title = "Importar imagen";
    options.filters = {"Imágenes (*.png *.bmp *.gif *.jpg *.jpeg)", "Todos los archivos (*)"};
    options.memory = FileMemory::Images;
    const std::optional<std::string> path = d_.openFile(options);
    if (!path) {
        return;
    }
    Result<QImage> image = readImageFile(QString::fromStdString(*path));
    if (!image.ok()) {
        warn(d_, "Importar imagen",
             "No se pudo importar la imagen: " + image.error().reason + ".\r\n" + *path);
        return;
    }
    // An imported picture is a drawing, as the drawing option would have it.
    selectOption1(l_, kDrawingMode);
    emit changes_.modeChanged();
    const EditHistory::Picture before = history_.picture();
    auto* dialog = new PictureImportDialog(window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const QImage decoded = image.value();
    connect(dialog, &PictureImportDialog::settingsChanged, this,
            [this, decoded](int threshold, bool inverted) {
                previewImport(decoded, threshold, inverted);
            });
    connect(dialog, &QDialog::finished, this, [this, dialog, decoded, before](int result) {
        const Picture imported = pictureFromImage(decoded, dialog->threshold(), dialog->inverted());
        // The preview changed the sign already; the step starts from the sign as it was.
        history_.showPicture(before);
        if (result == QDialog::Accepted) {
            history_.recordDrawing(QStringLiteral("importar imagen"),
                                   [&] { showPicture(l_.sign, imported); });
        }
    });
    previewImport(decoded, dialog->threshold(), dialog->inverted());
    dialog->adjustSize();
    dialog->move(sign_->mapToGlobal(
        QPoint((sign_->width() - dialog->width()) / 2, sign_->height() + sign_->height() / 4)));
    dialog->open();
}

void PictureController::previewImport(const QImage& image, int threshold, bool inverted) {
    showPicture(l_.sign, pictureFromImage(image, threshold, inverted));
}

} // namespace lumivel
