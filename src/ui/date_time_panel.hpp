// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>

class QLabel;
class QTimer;

namespace lumivel {

// Two status bar panels showing today's date and the time, kept current every second.
class DateTimePanel : public QObject {
    Q_OBJECT
  public:
    DateTimePanel(QLabel* date, QLabel* time, QObject* parent = nullptr);

    // Shows the date and time now, without waiting for the next tick.
    void refresh();

  private:
    QLabel* date_;
    QLabel* time_;
    QTimer* timer_;
};

} // namespace lumivel
