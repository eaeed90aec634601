// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"
#include "session/message_list.hpp"

#include <QObject>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

class QFileSystemWatcher;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace lumivel {

class EditHistory;
class StateChanges;

// The main window's message list controls. Any pointer may be null: menu items and
// icon boxes reach the same handlers through the public slots.
struct StoreWidgets {
    QListWidget* Lstcodigo = nullptr;
    QPushButton* ADICIONAR = nullptr;
    QPushButton* ELIMINAR = nullptr;
    QPushButton* MODIFICAR = nullptr;
    QPushButton* abrir = nullptr;
    QPushButton* guardar = nullptr;
    QPushButton* nuevo = nullptr;
    QLabel* panel0 = nullptr; // first status bar panel: the open message file's path,
                              // or that the messages are not saved yet
};

// Connects the message list, its buttons and the file buttons to the core operations and
// announces what they changed: a recall or another file may change the whole editor, so
// every handler announces the list, the mode and the text, and the file when it is another.
// Watches the open message file so that changes by other programs show in the list.
class StoreController : public QObject {
    Q_OBJECT
  public:
    StoreController(const StoreWidgets& widgets, Lumivel& l, Dialogs& d, StateChanges& changes,
                    QObject* parent = nullptr);

    // On close or "Salir": asks the one question when messages live only in a scratch
    // file, then closes the message file. False: the program should stay open.
    bool confirmExitOrStay();
    // ADICIONAR, MODIFICAR, ELIMINAR, the moves and duplicate become steps of `history`; it is
    // cleared when another file is opened or started, not when the messages are saved.
    void setHistory(EditHistory* history) { history_ = history; }
    // Asked before ADICIONAR adds anything; false leaves the file as it is.
    void setAddCheck(std::function<bool()> check) { addCheck_ = std::move(check); }

    // Several entries at once, by their rows in Lstcodigo; each call is one undoable step.
    // The moves leave the first moved entry selected and return the rows the moved entries
    // hold afterwards, in order (empty when nothing moved).
    // Together one place up (`step` -1) or down (+1); nothing moves when one is at that edge.
    std::vector<int> moveRows(std::vector<int> rows, int step);
    // Together, in their order, into the gap before row `gap` (the list's size: the end).
    std::vector<int> moveRowsTo(std::vector<int> rows, int gap);
    // Each chosen and deleted as ELIMINAR does, highest first so that the rows still left
    // keep meaning the same messages.
    void eliminarRows(std::vector<int> rows);

  public slots:
    void adicionar();
    void modificar();
    void eliminar();
    // The selected message one place up or down, or copied to the end: undoable steps
    // that keep the message selected (the copy, for duplicate).
    void moveUp();
    void moveDown();
    void duplicate();
    // Message `numero` to place `place` (1..n) of the list, as one step that keeps it selected.
    void moveTo(int numero, int place);
    void abrir();
    // Opens `path` as "Abrir" does after its dialog.
    void openPath(const QString& path);
    void guardar();
    void nuevo();
    // Recall of the entry in row `row` of Lstcodigo.
    void recall(int row);
    // Brings Lstcodigo and the status panel in line with the state.
    void mostrar();
    // Another process changed (or replaced) the open message file: reopens it if replaced
    // and refills the list, keeping the selection when the entries did not change.
    void reread();

  signals:
    // What ADICIONAR, MODIFICAR or ELIMINAR did, for the status bar: "Mensaje 9 añadido".
    void changed(const QString& notice);

  private:
    void afterHandler();
    // Forgets the steps of a file no longer open, watches the open one and announces
    // another file.
    void followFile();
    void watchFile();
    void rowChanged(int row);
    void onItemPressed(QListWidgetItem* item);
    void record(const char* name, const std::function<void()>& operation);
    void announce(ListChange change, std::optional<int> numero);
    void moveSelected(int step);
    // Within a step: one move, then the list refilled; false when it failed (and was shown).
    bool moveAndRefill(int numero, int place);
    int numberAt(int row) const;
    std::vector<int> validRows(std::vector<int> rows) const;
    void refillSelecting(int numero);
    void warnNoSelection();

    StoreWidgets w_;
    Lumivel& l_;
    Dialogs& d_;
    StateChanges& changes_;
    bool syncing_ = false;
    bool rememberedOnPress_ = false;
    QFileSystemWatcher* watcher_ = nullptr;
    EditHistory* history_ = nullptr;
    std::function<bool()> addCheck_;
    // The message file the list showed last; another one makes the history stale.
    std::string shownPath_;
    // Whether a file was open, its path and whether it was a scratch file, when last announced.
    std::tuple<bool, std::string, bool> announcedFile_;
};

} // namespace lumivel
