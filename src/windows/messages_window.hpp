// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "session/lumivel.hpp"

#include <QWidget>

#include <vector>

class QPushButton;
class QTableView;

namespace lumivel {

class MessageTableModel;
class StoreController;

// The "Mensajes" window: every message of the open file with its number, kind, effect,
// font and text, or a small picture of it in the sign's LED colour. Its rows are the
// entries of Lstcodigo in order, and choosing one recalls it through the same handler.
// It follows every refresh of that list. Several rows may be chosen; its buttons, the Supr
// key and dragging rows move them, copy one to the end or delete them, all through the
// list's controller. Esc closes it. Modeless and without owner; it deletes itself when
// closed, so the opener keeps a QPointer.
class MessagesWindow : public QWidget {
    Q_OBJECT
  public:
    MessagesWindow(const Lumivel& l, StoreController& store, QWidget* parent = nullptr);

    QTableView* table() const { return table_; }

  public slots:
    // Reads the file's messages again and selects the entry Lstcodigo has selected.
    void mostrar();
    // Draws the pictures again in the LED colour now in force.
    void showColour();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void rowChanged(int row);
    void pressed(int row);
    std::vector<int> selectedRows() const;
    void selectRows(const std::vector<int>& rows);
    void move(int step);
    void eliminar();
    void dropped(const std::vector<int>& rows, int gap);
    void showButtons();

    const Lumivel& l_;
    StoreController& store_;
    MessageTableModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    std::vector<QPushButton*> selectionButtons_; // of no use without a chosen row
    bool syncing_ = false;
    bool recalledOnPress_ = false;
};

} // namespace lumivel
