// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "session/lumivel.hpp"
#include "windows/main_window_layout.hpp"

#include <QColor>
#include <QObject>

namespace lumivel {

class StateChanges;

// The toolbar's own controls and the two option panels: the mode buttons, the letter and
// presentation options, the case button and the icon boxes run their handlers, and the
// state's choices and mode show in which of them are checked and usable.
class ToolbarController : public QObject {
    Q_OBJECT
  public:
    ToolbarController(const MainWindowControls& controls, Lumivel& l, StateChanges& changes,
                      QObject* parent = nullptr);

    // Checks the letter and presentation options in force.
    void showOptions();
    // Checks the mode and the tool, and enables what the mode allows, Text1 included.
    void showMode();
    // Colours the toolbar, its icon boxes and Picture1, and redraws their icons for it.
    void colorbotones(const QColor& color);

  public slots:
    void Option1_Click(int index);
    void Opletra_Click(int index);
    void op_mostrar_Click(int index);
    void mayuscula_Click();
    // "Run the handler of the button under icon box `index`": that button's clicked
    // signal, which runs even while the button is disabled.
    void picmenu_Click(int index);

  private:
    void paintToolIconBoxes();

    MainWindowControls c_;
    Lumivel& l_;
    StateChanges& changes_;
    QColor toolbarColour_;
};

} // namespace lumivel
