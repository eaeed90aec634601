// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>

namespace lumivel {

// What a handler changed in the program's state. The state is plain data, so whoever
// changes it says so here afterwards; each view connects to the kinds it shows and no
// handler needs to know which views there are.
class StateChanges : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  signals:
    // The editing mode or the drawing tool. A new mode starts with an empty text.
    void modeChanged();
    // The text, its font, its presentation or its case: what the text meters measure.
    void textChanged();
    // Lstcodigo's entries or selection, or the messages in the open file.
    void listChanged();
    // Another message file is open, or none is, or the open one was saved under a name.
    void fileChanged();
    // The sign is to be drawn again from the state: its LED colour or the skin changed,
    // or a window that stood for it closed.
    void signChanged();
};

} // namespace lumivel
