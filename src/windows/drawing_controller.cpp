// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/drawing_controller.hpp"

#include "drawing/drawing_tools.hpp"
#include "ui/sign_widget.hpp"
#include "windows/edit_history.hpp"
#include "windows/state_changes.hpp"

#include <QLabel>
#include <QPushButton>

namespace lumivel {

DrawingController::DrawingController(const DrawingWidgets& widgets, Lumivel& l,
                                     StateChanges& changes, QObject* parent)
    : QObject(parent), w_(widgets), l_(l), changes_(changes) {
    const auto connectButton = [this](QPushButton* button, void (DrawingController::*slot)()) {
        if (button != nullptr) {
            connect(button, &QPushButton::clicked, this, slot);
        }
    };
    connectButton(w_.lapiz, &DrawingController::lapiz);
    connectButton(w_.goma, &DrawingController::goma);
    connectButton(w_.pintura, &DrawingController::pintura);
    connectButton(w_.Bomba, &DrawingController::bomba);
    connectButton(w_.invertir, &DrawingController::invertir);
    if (w_.Pic != nullptr) {
        connect(w_.Pic, &SignWidget::pressed, this, &DrawingController::onPressed);
        connect(w_.Pic, &SignWidget::moved, this, &DrawingController::onMoved);
        connect(w_.Pic, &SignWidget::released, this, &DrawingController::onReleased);
    }
}

int DrawingController::signButtons(Qt::MouseButtons buttons) {
    int set = 0;
    set |= buttons.testFlag(Qt::LeftButton) ? 1 : 0;
    set |= buttons.testFlag(Qt::RightButton) ? 2 : 0;
    set |= buttons.testFlag(Qt::MiddleButton) ? 4 : 0;
    // Any other button still makes the set differ from the left button alone.
    set |= (buttons & ~(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton)) ? 8 : 0;
    return set;
}

void DrawingController::onPressed(Qt::MouseButton button, QPointF position) {
    if (history_ != nullptr && button == Qt::LeftButton) {
        history_->beginStroke();
    }
    Pic_MouseDown(l_, signButtons(button), position.x(), position.y());
}

void DrawingController::onMoved(Qt::MouseButtons buttons, QPointF position) {
    const std::string read = Pic_MouseMove(l_, signButtons(buttons), position.x(), position.y());
    if (w_.panel1 != nullptr) {
        w_.panel1->setText(QString::fromStdString(read));
    }
}

void DrawingController::onReleased(Qt::MouseButton button) {
    if (history_ != nullptr && button == Qt::LeftButton) {
        history_->endStroke();
    }
}

void DrawingController::record(const char* name, void (*tool)(EditorState&)) {
    if (history_ != nullptr) {
        history_->recordDrawing(QString::fromUtf8(name), [this, tool] { tool(l_); });
    } else {
        tool(l_);
    }
}

void DrawingController::lapiz() {
    lapiz_Click(l_);
    emit changes_.modeChanged();
}

void DrawingController::goma() {
    goma_Click(l_);
    emit changes_.modeChanged();
}

void DrawingController::pintura() {
    record("pintar todo", pintura_Click);
}

void DrawingController::bomba() {
    record("borrar", Bomba_Click);
}

void DrawingController::invertir() {
    record("invertir", invertir_Click);
}

} // namespace lumivel
