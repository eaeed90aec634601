// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>

namespace lumivel {

// A small picture box showing an icon; a click on it (press and release over it) emits
// clicked(). Disabled or hidden, it gets no clicks.
class IconBox : public QLabel {
    Q_OBJECT
  public:
    explicit IconBox(QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressedButtons_ = false;
};

} // namespace lumivel
