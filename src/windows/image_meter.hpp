// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"

#include <QObject>

class QLabel;
class QStatusBar;

namespace lumivel {

// The status bar's figure for the open file's transmission image against the sign's
// capacity, and the question before ADICIONAR makes the image too big to send.
class ImageMeter : public QObject {
    Q_OBJECT
  public:
    ImageMeter(const Lumivel& l, Dialogs& d, QStatusBar& bar, QObject* parent = nullptr);

    // True when ADICIONAR may go on: the new message fits, or the person wants it anyway
    // (the file may be meant for another sign, or be trimmed later).
    bool confirmAdd();

  public slots:
    // Hidden while no message file is open.
    void mostrar();

  private:
    const Lumivel& l_;
    Dialogs& d_;
    QLabel* label_;
};

} // namespace lumivel
