#pragma once
#include "session/lumivel.hpp"

#include <QWidget>

class QTableView;

namespace lumivel {

class MessageTableModel;
class StoreController;

// The "Mensajes" window: every message of the open file with its number, kind, effect,
// font and text, or a small picture of it in the sign's LED colour. Its rows are the
// entries of Lstcodigo in order, and choosing one recalls it through the same handler.
// It follows every refresh of that list. Its buttons move the selected message up or
// down or copy it to the end, through the list's controller. Modeless and without owner; it deletes
// itself when closed, so the opener keeps a QPointer.
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

  private:
    void rowChanged(int row);
    void pressed(int row);

    const Lumivel& l_;
    StoreController& store_;
    MessageTableModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    bool syncing_ = false;
    bool recalledOnPress_ = false;
};

} // namespace lumivel
