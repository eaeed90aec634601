// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "appearance/skin_table.hpp"

#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace lumivel {

// The main window's menu items, under their design names (also their object names).
struct MainMenu {
    QAction* opnuevo = nullptr;
    QAction* opabrir = nullptr;
    QAction* opguardar = nullptr;
    QAction* opsalir = nullptr;
    QMenu* recentFiles = nullptr;       // "Archivos recientes", filled by the window
    QAction* importImage = nullptr;     // "Importar imagen...", handled by the window
    QAction* exportImage = nullptr;     // the message on the sign as a PNG
    QAction* exportAnimation = nullptr; // its effect as a looping GIF
    QAction* optexto = nullptr;
    QAction* opgrafico = nullptr;
    QAction* textToPicture = nullptr; // "Texto a dibujo": a text composed as a picture
    QAction* opconfiguracion = nullptr;
    QAction* opsimular = nullptr;
    QAction* openviar = nullptr;
    QAction* opreloj = nullptr;
    QAction* playAll = nullptr;                    // "Simular todo": every active message in order
    std::array<QAction*, kSkins.size()> MNUCamb{}; // one per entry of the skin table
    QAction* startupSkin = nullptr;                // the skin the program starts with
    QActionGroup* skins = nullptr;                 // marks the skin in use
    QAction* opayuda = nullptr;
    QAction* opacerdade = nullptr;
    QAction* WEB = nullptr;
    QMenu* edit = nullptr;         // the undo and redo items, added by the window
    QAction* opmensajes = nullptr; // "Ver", "Mensajes": the window listing every message
};

// Fills the main window's menu bar; "Cambiar Skin" lists the skin table's entries in order,
// then the start-up skin.
MainMenu buildMainMenu(QMenuBar& bar);

} // namespace lumivel
