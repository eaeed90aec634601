// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"

#include <QObject>

#include <string>

class QWidget;

namespace lumivel {

class EditHistory;
class StateChanges;

// Ways to keep letters the fonts lack from reaching the sign as gaps: "Quitar acentos"
// writes the vowels plain in Text1, and "Texto a dibujo" draws a text, accents and Ñ
// included, as the current picture.
class AccentActions : public QObject {
    Q_OBJECT
  public:
    // The composer opens under `sign`.
    AccentActions(Lumivel& l, Dialogs& d, EditHistory& history, StateChanges& changes,
                  const QWidget& sign, QWidget* dialogParent);

  public slots:
    void stripAccents();
    // Opens the composer with Text1's text and font.
    void textToPicture();

  private:
    // The composed picture becomes the drawing, as one undo step; "Cancelar" gives the sign
    // back as it was. A picture is a drawing: the drawing mode is chosen on "Aceptar".
    void compose(const std::string& text);

    Lumivel& l_;
    Dialogs& d_;
    EditHistory& history_;
    StateChanges& changes_;
    const QWidget& sign_;
    QWidget* dialogParent_;
};

} // namespace lumivel
