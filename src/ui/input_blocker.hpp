// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QPointer>

#include <functional>
#include <utility>

class QEvent;
class QWidget;

namespace lumivel {

// While it lives, the application's user input (keys, mouse, wheel, touch, tablets,
// gestures, context menus, shortcuts, input methods, drag and drop) reaches no handler;
// painting, timers and every other event go on.
class InputBlocker : public QObject {
    Q_OBJECT
  public:
    // Without `keepsInput` every window is blocked, and closing a window still works: it
    // is how an effect is stopped. With it, that window and any dialog keep their input,
    // and the other windows cannot be closed until the blocker goes.
    explicit InputBlocker(QWidget* keepsInput = nullptr, QObject* parent = nullptr);
    ~InputBlocker() override;
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

    static bool isUserInput(const QEvent* event);
    // Called when Esc is pressed while input is blocked (the key itself goes no further).
    void setOnEscape(std::function<void()> onEscape) { onEscape_ = std::move(onEscape); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool keepsInput(QObject* receiver) const;

    QPointer<QWidget> keepsInput_;
    bool exempting_ = false;
    std::function<void()> onEscape_;
};

} // namespace lumivel
