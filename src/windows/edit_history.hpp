// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QUndoStack;

namespace lumivel {

// The main window's undo history: drawing steps (a stroke, painting, clearing or inverting
// the sign) give back the sign's picture; message file steps give back the file's bytes.
class EditHistory : public QObject {
    Q_OBJECT
  public:
    EditHistory(Lumivel& l, Dialogs& d, QObject* parent = nullptr);

    QUndoStack& stack() { return *stack_; }

    // Runs `operation` on the sign and keeps it as one step when it changed the picture.
    void recordDrawing(const QString& name, const std::function<void()>& operation);
    // A stroke is one step from the press to the release.
    void beginStroke();
    void endStroke();
    // Runs `operation` on the open message file and keeps what it changed as one step.
    void recordFile(const QString& name, const std::function<void()>& operation);
    // Another file became the message file: its steps no longer apply. The whole history
    // goes, drawing steps too, as after a fresh start.
    void forgetSteps();

    // The sign's state, columns and rows, as a drawing step puts it back.
    struct Picture {
        decltype(Sign::matriz) matriz{};
        decltype(Sign::vector) vector{};
        bool operator==(const Picture&) const = default;
    };
    Picture picture() const;
    void showPicture(const Picture& picture);

  signals:
    // A file step was undone or redone (or refused): the file's bytes changed under the list.
    void fileRestored();

  private:
    // Undoing or redoing during a drag: the rest of the drag starts a step of its own.
    void restartStroke();

    Lumivel& l_;
    Dialogs& d_;
    QUndoStack* stack_;
    std::optional<Picture> strokeStart_;
};

} // namespace lumivel
