// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/accent_actions.hpp"

#include "display/accents.hpp"
#include "display/composition.hpp"
#include "drawing/picture_edit.hpp"
#include "presentation/editing_mode.hpp"
#include "windows/edit_history.hpp"
#include "windows/state_changes.hpp"
#include "windows/text_to_picture_dialog.hpp"

#include <QWidget>

namespace lumivel {

AccentActions::AccentActions(Lumivel& l, Dialogs& d, EditHistory& history, StateChanges& changes,
                             const QWidget& sign, QWidget* dialogParent)
    : QObject(dialogParent), l_(l), d_(d), history_(history), changes_(changes), sign_(sign),
      dialogParent_(dialogParent) {}

void AccentActions::stripAccents() {
    // Text1 only takes text in the text mode.
    if (l_.option1 != kTextMode || l_.texto.empty()) {
        return;
    }
    const UnaccentedText plain = lumivel::stripAccents(l_.texto);
    if (plain.enyeRemains) {
        // "AÑO" written "ANO" says something else: a picture keeps the letter.
        MessageBoxSpec box;
        box.title = "Quitar acentos";
        box.texto = "Ninguna letra del Lumivel tiene la Ñ.\r\n"
                    "¿Dibujar el texto como gráfico para conservar la Ñ?";
        box.buttons = Buttons::YesNo;
        box.icon = Icon::Question;
        box.defaultAnswer = Answer::Yes;
        if (d_.mensaje(box) == Answer::Yes) {
            compose(l_.texto);
            return;
        }
    }
    changeText(l_, plain.texto);
    emit changes_.textChanged();
}

void AccentActions::textToPicture() {
    compose(l_.option1 == kTextMode ? l_.texto : std::string());
}

void AccentActions::compose(const std::string& text) {
    const EditHistory::Picture before = history_.picture();
    const int font = l_.tipoletra >= 1 && l_.tipoletra <= 4 ? l_.tipoletra - 1 : 0;
    TextToPictureDialog dialog(l_.sign, text, font, dialogParent_);
    // Under the sign, not over it: the preview is what the person chooses by.
    dialog.adjustSize();
    dialog.move(sign_.mapToGlobal(QPoint(sign_.width() - dialog.width(), sign_.height() + 8)));
    const bool accepted = dialog.exec() == QDialog::Accepted;
    history_.showPicture(before);
    if (!accepted) {
        return;
    }
    selectOption1(l_, kDrawingMode);
    emit changes_.modeChanged();
    const auto picture = dialog.picture();
    history_.recordDrawing(QStringLiteral("texto a dibujo"),
                           [this, &picture] { showPicture(l_.sign, picture); });
}

} // namespace lumivel
