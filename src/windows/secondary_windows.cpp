// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/secondary_windows.hpp"

#include "ui/accessible_names.hpp"
#include "ui/skin.hpp"
#include "windows/form1.hpp"
#include "windows/form2.hpp"
#include "windows/form5.hpp"
#include "windows/messages_window.hpp"
#include "windows/state_changes.hpp"

namespace lumivel {
namespace {

// Shows an existing secondary window instead of opening a second one.
template <typename Window> bool bringForward(const QPointer<Window>& window) {
    if (window.isNull()) {
        return false;
    }
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

} // namespace

SecondaryWindows::SecondaryWindows(Lumivel& l, Dialogs& d, Skin& skin, StateChanges& changes)
    : l_(l), d_(d), skin_(skin), changes_(changes) {}

SecondaryWindows::~SecondaryWindows() {
    delete form5_.data();
    delete form2_.data();
    delete form1_.data();
    delete messages_.data();
}

void SecondaryWindows::serial_Click() {
    if (form1_.isNull()) {
        // Created when shown: its image is built from the message file open now.
        form1_ = new Form1(l_, d_, changes_);
        aplicarskin(skin_, form1_, l_.archivoskin);
        nameControlsForAccessibility(*form1_);
    }
    form1_->mostrar();
}

void SecondaryWindows::configurar_Click() {
    if (bringForward(form5_)) {
        return;
    }
    form5_ = new Form5(l_, d_, skin_, changes_);
    nameControlsForAccessibility(*form5_);
    form5_->show();
}

void SecondaryWindows::opacerdade_Click() {
    if (bringForward(form2_)) {
        return;
    }
    form2_ = new Form2(skin_, d_, l_.archivoskin, changes_);
    nameControlsForAccessibility(*form2_);
    form2_->show();
}

void SecondaryWindows::opmensajes_Click(StoreController& store) {
    if (bringForward(messages_)) {
        return;
    }
    messages_ = new MessagesWindow(l_, store);
    QObject::connect(&changes_, &StateChanges::listChanged, messages_, &MessagesWindow::mostrar);
    // The message pictures are drawn in the LED colour too.
    QObject::connect(&changes_, &StateChanges::signChanged, messages_, &MessagesWindow::showColour);
    nameControlsForAccessibility(*messages_);
    skin_.aplicar(messages_);
    messages_->show();
}

void SecondaryWindows::closeAll() {
    for (QWidget* window : std::initializer_list<QWidget*>{form5_, form2_, form1_, messages_}) {
        if (window != nullptr) {
            window->close();
        }
    }
}

} // namespace lumivel
