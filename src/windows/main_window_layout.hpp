// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "windows/main_menu.hpp"

#include <array>
#include <cstddef>

class QAbstractButton;
class QButtonGroup;
class QColor;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QPushButton;
class QWidget;

namespace lumivel {

class IconBox;
class SignWidget;

// The main window's controls, under their design names (also their object names; an
// element of a control array is named Name_index).
struct MainWindowControls {
    static constexpr std::size_t kIconBoxes = 13;

    QFrame* Picture1 = nullptr;
    SignWidget* Pic = nullptr;
    QPushButton* nuevo = nullptr;
    QPushButton* abrir = nullptr;
    QPushButton* guardar = nullptr;
    QPushButton* lapiz = nullptr;
    QPushButton* goma = nullptr;
    QPushButton* pintura = nullptr;
    QPushButton* Bomba = nullptr;
    QPushButton* invertir = nullptr;
    QPushButton* mayuscula = nullptr;
    QPushButton* Play = nullptr;
    QPushButton* configurar = nullptr;
    QPushButton* refrescar = nullptr;
    QPushButton* serial = nullptr;
    QPushButton* Reloj = nullptr;
    std::array<QAbstractButton*, 2> Option1{};
    // Icon box i lies over button i of buttonsUnderIconBoxes().
    std::array<IconBox*, kIconBoxes> picmenu{};
    QGroupBox* Frame2 = nullptr;
    std::array<QAbstractButton*, 4> Opletra{};
    QGroupBox* Frame1 = nullptr;
    std::array<QAbstractButton*, 3> op_mostrar{};
    // Each option array as one exclusive group; a button's id is its index.
    struct {
        QButtonGroup* Option1 = nullptr;
        QButtonGroup* Opletra = nullptr;
        QButtonGroup* op_mostrar = nullptr;
    } groups;
    QListWidget* Lstcodigo = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* ADICIONAR = nullptr;
    QPushButton* ELIMINAR = nullptr;
    QPushButton* MODIFICAR = nullptr;
    // Status bar: the open file, the coordinate readout, the date and the time.
    std::array<QLabel*, 4> panel{};
    MainMenu menu;

    std::array<QPushButton*, kIconBoxes> buttonsUnderIconBoxes() const;
};

// Creates the main window's controls, menus and status bar at their fixed positions,
// with their captions, tooltips, fonts and colours; connects nothing.
MainWindowControls buildMainWindow(QMainWindow& window);

// Gives a control a plain background of `color` that holds under every style; a button
// pressed or checked shows pressedFace(color).
void paintBackground(QWidget* control, const QColor& color);
QColor pressedFace(const QColor& color);
// Perceived brightness below the middle of the scale.
bool isDark(const QColor& color);

} // namespace lumivel
