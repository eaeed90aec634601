// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"

#include <QPointer>

namespace lumivel {

class Form1;
class Form2;
class Form5;
class MessagesWindow;
class Skin;
class StateChanges;
class StoreController;

// The lives of the main window's secondary windows. Each is created when asked for,
// deletes itself when closed and is held by a QPointer, so there is one of each at most:
// asking again brings it forward. They announce their changes through `changes`, and the
// "Mensajes" window follows the list and the sign's colour through it.
class SecondaryWindows {
  public:
    // `skin` is the main window's skin component, worn by every window as it opens.
    SecondaryWindows(Lumivel& l, Dialogs& d, Skin& skin, StateChanges& changes);
    // Deletes the windows still open: they hold references into the state.
    ~SecondaryWindows();
    SecondaryWindows(const SecondaryWindows&) = delete;
    SecondaryWindows& operator=(const SecondaryWindows&) = delete;

    void configurar_Click(); // the colour window
    void serial_Click();     // the transmission window
    void opacerdade_Click(); // the About window
    // The "Mensajes" window, following and recalling through the main window's list.
    void opmensajes_Click(StoreController& store);
    // Closes every open window, as when the program ends.
    void closeAll();

  private:
    Lumivel& l_;
    Dialogs& d_;
    Skin& skin_;
    StateChanges& changes_;
    QPointer<Form5> form5_;
    QPointer<Form2> form2_;
    QPointer<Form1> form1_;
    QPointer<MessagesWindow> messages_;
};

} // namespace lumivel
