#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"

#include <QObject>

#include <functional>
#include <string>

class QWidget;

namespace lumivel {

class EditHistory;

// Ways to keep letters the fonts lack from reaching the sign as gaps: "Quitar acentos"
// writes the vowels plain in Text1, and "Texto a dibujo" draws a text, accents and Ñ
// included, as the current picture.
class AccentActions : public QObject {
    Q_OBJECT
  public:
    // `enterDrawingMode` selects the drawing mode as its option would; `showControls`
    // brings the window in line with the state. The composer opens under `sign`.
    AccentActions(Lumivel& l, Dialogs& d, EditHistory& history, const QWidget& sign,
                  std::function<void()> enterDrawingMode, std::function<void()> showControls,
                  QWidget* dialogParent);

  public slots:
    void stripAccents();
    // Opens the composer with Text1's text and font.
    void textToPicture();

  private:
    // The composed picture becomes the drawing, as one undo step; "Cancelar" gives the sign
    // back as it was. A picture is a drawing: the drawing mode is chosen on "Aceptar".
    void compose(const std::string& texto);

    Lumivel& l_;
    Dialogs& d_;
    EditHistory& history_;
    const QWidget& sign_;
    std::function<void()> enterDrawingMode_;
    std::function<void()> showControls_;
    QWidget* dialogParent_;
};

} // namespace lumivel
