// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/edit_history.hpp"

#include "store/file_change.hpp"

#include <QUndoCommand>
#include <QUndoStack>

namespace lumivel {
namespace {

// Steps are recorded after they were done: the first redo(), from push(), does nothing.
class DoneStep : public QUndoCommand {
  public:
    explicit DoneStep(const QString& name) { setText(name); }

    void redo() final {
        if (done_) {
            done_ = false;
            return;
        }
        apply(ChangeDirection::Redo);
    }
    void undo() final { apply(ChangeDirection::Undo); }

  protected:
    virtual void apply(ChangeDirection direction) = 0;

  private:
    bool done_ = true;
};

class DrawingStep : public DoneStep {
  public:
    DrawingStep(const QString& name, EditHistory& history, EditHistory::Picture before,
                EditHistory::Picture after)
        : DoneStep(name), history_(history), before_(before), after_(after) {}

  protected:
    void apply(ChangeDirection direction) override {
        history_.showPicture(direction == ChangeDirection::Undo ? before_ : after_);
    }

  private:
    EditHistory& history_;
    EditHistory::Picture before_;
    EditHistory::Picture after_;
};

class FileStep : public DoneStep {
  public:
    FileStep(const QString& name, EditHistory& history, MessageFile& file, Dialogs& dialogs,
             FileChange change)
        : DoneStep(name), history_(history), file_(file), d_(dialogs), change_(std::move(change)) {}

  protected:
    void apply(ChangeDirection direction) override {
        if (Result<void> applied = applyChange(file_, change_, direction); !applied.ok()) {
            const bool undo = direction == ChangeDirection::Undo;
            MessageBoxSpec box;
            box.title = undo ? "No se puede deshacer" : "No se puede rehacer";
            box.texto = (undo ? "No se puede deshacer «" : "No se puede rehacer «") +
                        text().toStdString() + "»: " + applied.error().reason + ".\r\n" +
                        applied.error().path;
            box.icon = Icon::Exclamation;
            d_.mensaje(box);
            // The file no longer matches this step, so it leaves the history.
            setObsolete(true);
        }
        emit history_.fileRestored();
    }

  private:
    EditHistory& history_;
    MessageFile& file_;
    Dialogs& d_;
    FileChange change_;
};

} // namespace

EditHistory::EditHistory(Lumivel& l, Dialogs& d, QObject* parent)
    : QObject(parent), l_(l), d_(d), stack_(new QUndoStack(this)) {
    connect(stack_, &QUndoStack::indexChanged, this, [this] { restartStroke(); });
}

EditHistory::Picture EditHistory::picture() const {
    return {l_.sign.matriz, l_.sign.vector};
}

void EditHistory::showPicture(const Picture& picture) {
    l_.sign.matriz = picture.matriz;
    l_.sign.vector = picture.vector;
    l_.sign.mostrar();
}

void EditHistory::recordDrawing(const QString& name, const std::function<void()>& operation) {
    const Picture before = picture();
    operation();
    if (const Picture after = picture(); after != before) {
        stack_->push(new DrawingStep(name, *this, before, after));
    }
}

void EditHistory::beginStroke() {
    strokeStart_ = picture();
}

void EditHistory::endStroke() {
    if (!strokeStart_) {
        return;
    }
    const Picture before = *strokeStart_;
    strokeStart_.reset();
    if (const Picture after = picture(); after != before) {
        stack_->push(new DrawingStep(QStringLiteral("trazo"), *this, before, after));
    }
}

void EditHistory::restartStroke() {
    if (strokeStart_) {
        strokeStart_ = picture();
    }
}

void EditHistory::recordFile(const QString& name, const std::function<void()>& operation) {
    if (std::optional<FileChange> change = recordChange(l_.archivo, operation)) {
        stack_->push(new FileStep(name, *this, l_.archivo, d_, std::move(*change)));
    }
}

void EditHistory::forgetSteps() {
    stack_->clear();
    strokeStart_.reset();
}

} // namespace lumivel
