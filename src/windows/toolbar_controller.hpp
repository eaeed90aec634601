#pragma once
#include "session/lumivel.hpp"
#include "windows/main_window_layout.hpp"

#include <QColor>
#include <QObject>

#include <functional>

namespace lumivel {

// The toolbar's own controls and the two option panels: the mode buttons, the letter and
// presentation options, the case button and the icon boxes run their handlers, and the
// state's choices and mode show in which of them are checked and usable. `showControls`
// lets the window mirror the whole state after a handler.
class ToolbarController : public QObject {
    Q_OBJECT
  public:
    ToolbarController(const MainWindowControls& controls, Lumivel& l,
                      std::function<void()> showControls, QObject* parent = nullptr);

    // Checks the options in force and enables what the mode allows, Text1 included.
    void showState();
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
    void afterwards();
    void paintToolIconBoxes();

    MainWindowControls c_;
    Lumivel& l_;
    std::function<void()> showState_;
    QColor toolbarColour_;
};

} // namespace lumivel
