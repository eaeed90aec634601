// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "session/lumivel.hpp"

#include <QObject>
#include <QPointF>

class QLabel;
class QPushButton;

namespace lumivel {

class EditHistory;
class SignWidget;
class StateChanges;

// The sign and the drawing tool buttons of the main window. Any pointer may be null;
// icon boxes 3 to 7 call the public slots.
struct DrawingWidgets {
    SignWidget* Pic = nullptr;
    QPushButton* lapiz = nullptr;
    QPushButton* goma = nullptr;
    QPushButton* pintura = nullptr;
    QPushButton* Bomba = nullptr;
    QPushButton* invertir = nullptr;
    QLabel* panel1 = nullptr; // second status bar panel: the coordinate readout
};

// Turns presses and moves on the sign into pencil and eraser strokes and the tool
// buttons into their core handlers. A new tool is announced as a change of mode; the
// picture draws itself.
class DrawingController : public QObject {
    Q_OBJECT
  public:
    DrawingController(const DrawingWidgets& widgets, Lumivel& l, StateChanges& changes,
                      QObject* parent = nullptr);

    // Qt buttons as the button set of a mouse event: left 1, right 2, middle 4.
    static int signButtons(Qt::MouseButtons buttons);
    // Strokes and the paint, clear and invert buttons become steps of `history`.
    void setHistory(EditHistory* history) { history_ = history; }

  public slots:
    void lapiz();
    void goma();
    void pintura();
    void bomba();
    void invertir();

  private:
    void onPressed(Qt::MouseButton button, QPointF position);
    void onMoved(Qt::MouseButtons buttons, QPointF position);
    void onReleased(Qt::MouseButton button);
    void record(const char* name, void (*tool)(EditorState&));

    DrawingWidgets w_;
    Lumivel& l_;
    StateChanges& changes_;
    EditHistory* history_ = nullptr;
};

} // namespace lumivel
