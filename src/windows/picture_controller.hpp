// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "drawing/picture_edit.hpp"
#include "session/lumivel.hpp"

#include <QImage>
#include <QObject>

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace lumivel {

class EditHistory;
class StateChanges;

// Whole-picture operations of the drawing mode: importing an image file, the clipboard,
// shifting and mirroring. Each change of the sign is one step of the history; the items
// are enabled only while drawing.
class PictureController : public QObject {
    Q_OBJECT
  public:
    // Appends its items to `edit` and handles `importAction`. `window` owns the import
    // dialog, which stands below `sign` so the preview stays in view.
    PictureController(QMenu& edit, QAction* importAction, Lumivel& l, Dialogs& d,
                      EditHistory& history, StateChanges& changes, QWidget* window, QWidget* sign);

    // Enables the items when the drawing mode is on.
    void showState();

  public slots:
    void importImage();
    void copy();
    void paste();

  private:
    QAction* addItem(QMenu& menu, const char* name, const QString& caption,
                     const QKeySequence& keys);
    void change(const QString& step, const std::function<Picture(const Picture&)>& operation);
    void previewImport(const QImage& image, int threshold, bool inverted);

    Lumivel& l_;
    Dialogs& d_;
    EditHistory& history_;
    StateChanges& changes_;
    QWidget* window_;
    QWidget* sign_;
    std::vector<QAction*> items_;
};

} // namespace lumivel
