// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/toolbar_controller.hpp"

#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "presentation/editing_mode.hpp"
#include "presentation/presentation_choice.hpp"
#include "ui/icon_box.hpp"
#include "windows/state_changes.hpp"
#include "windows/toolbar_icons.hpp"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>

namespace lumivel {

ToolbarController::ToolbarController(const MainWindowControls& controls, Lumivel& l,
                                     StateChanges& changes, QObject* parent)
    : QObject(parent), c_(controls), l_(l), changes_(changes) {}

void ToolbarController::Option1_Click(int index) {
    selectOption1(l_, index);
    emit changes_.modeChanged();
}

void ToolbarController::Opletra_Click(int index) {
    selectOpletra(l_, index);
    emit changes_.textChanged();
}

void ToolbarController::op_mostrar_Click(int index) {
    selectOpMostrar(l_, index);
    emit changes_.textChanged();
}

void ToolbarController::mayuscula_Click() {
    lumivel::mayuscula_Click(l_);
    emit changes_.textChanged();
}

void ToolbarController::picmenu_Click(int index) {
    const auto buttons = c_.buttonsUnderIconBoxes();
    if (index < 0 || index >= static_cast<int>(buttons.size())) {
        return;
    }
    emit buttons.at(static_cast<std::size_t>(index))->clicked();
}

void ToolbarController::showOptions() {
    for (std::size_t i = 0; i < c_.Opletra.size(); ++i) {
        c_.Opletra.at(i)->setChecked(l_.opletra == static_cast<int>(i));
    }
    for (std::size_t i = 0; i < c_.op_mostrar.size(); ++i) {
        c_.op_mostrar.at(i)->setChecked(l_.opMostrar == static_cast<int>(i));
    }
}

void ToolbarController::showMode() {
    if (!modeChosen(l_)) {
        return;
    }
    c_.Option1[0]->setChecked(l_.option1 == kDrawingMode);
    c_.Option1[1]->setChecked(l_.option1 == kTextMode);

    const ModeControls mode = modeControls(l_);
    c_.Text1->setEnabled(mode.texto);
    for (QAbstractButton* option : c_.op_mostrar) {
        option->setEnabled(mode.texto);
    }
    for (QAbstractButton* option : c_.Opletra) {
        option->setEnabled(mode.texto);
    }
    c_.lapiz->setEnabled(mode.lapiz);
    c_.goma->setEnabled(mode.goma);
    const bool drawing = l_.option1 == kDrawingMode;
    c_.lapiz->setChecked(drawing && l_.tool == DrawingTool::Pencil);
    c_.goma->setChecked(drawing && l_.tool == DrawingTool::Eraser);
    paintToolIconBoxes();
    for (QPushButton* button : {c_.pintura, c_.Bomba, c_.invertir}) {
        button->setEnabled(mode.wholeSignTools);
    }
    for (std::size_t i = 3; i <= 7; ++i) {
        c_.picmenu.at(i)->setEnabled(mode.wholeSignTools);
        c_.picmenu.at(i)->setVisible(mode.wholeSignTools);
    }
    c_.mayuscula->setEnabled(mode.mayuscula);
    c_.picmenu.at(8)->setEnabled(mode.mayuscula);
    c_.picmenu.at(8)->setVisible(mode.mayuscula);
}

void ToolbarController::colorbotones(const QColor& color) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             c_.nuevo, c_.abrir, c_.guardar, c_.lapiz, c_.goma, c_.pintura, c_.Bomba, c_.invertir,
             c_.Option1[0], c_.Option1[1], c_.mayuscula, c_.Play, c_.configurar, c_.refrescar,
             c_.serial, c_.Picture1}) {
        paintBackground(control, color);
    }
    for (IconBox* box : c_.picmenu) {
        paintBackground(box, color);
    }
    toolbarColour_ = color;
    paintToolIconBoxes();
    showToolbarIcons(c_, color);
}

void ToolbarController::paintToolIconBoxes() {
    // The icon box covers most of its tool button: it wears the button's face, so the
    // chosen tool looks pressed all over.
    for (const auto& [box, button] :
         {std::pair{c_.picmenu.at(3), c_.lapiz}, std::pair{c_.picmenu.at(4), c_.goma}}) {
        paintBackground(box, button->isChecked() ? pressedFace(toolbarColour_) : toolbarColour_);
    }
}

} // namespace lumivel
