// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/store_controller.hpp"

#include "session/file_choice.hpp"
#include "session/message_list.hpp"
#include "store/message_order.hpp"
#include "windows/edit_history.hpp"
#include "windows/state_changes.hpp"

#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace lumivel {

StoreController::StoreController(const StoreWidgets& widgets, Lumivel& l, Dialogs& d,
                                 StateChanges& changes, QObject* parent)
    : QObject(parent), w_(widgets), l_(l), d_(d), changes_(changes) {
    const auto connectButton = [this](QPushButton* button, void (StoreController::*slot)()) {
        if (button != nullptr) {
            connect(button, &QPushButton::clicked, this, slot);
        }
    };
    connectButton(w_.ADICIONAR, &StoreController::adicionar);
    connectButton(w_.MODIFICAR, &StoreController::modificar);
    connectButton(w_.ELIMINAR, &StoreController::eliminar);
    connectButton(w_.abrir, &StoreController::abrir);
    connectButton(w_.guardar, &StoreController::guardar);
    connectButton(w_.nuevo, &StoreController::nuevo);
    if (w_.Lstcodigo != nullptr) {
        connect(w_.Lstcodigo, &QListWidget::currentRowChanged, this, &StoreController::rowChanged);
        connect(w_.Lstcodigo, &QListWidget::itemPressed, this, &StoreController::onItemPressed);
    }
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &StoreController::reread);
    followFile();
}

void StoreController::watchFile() {
    const QString path =
        l_.archivo.isOpen() ? QString::fromStdString(l_.archivo.path()) : QString();
    if (const QStringList watched = watcher_->files(); !watched.isEmpty()) {
        watcher_->removePaths(watched);
    }
    // Re-added every time: after a rename over the path (a delete elsewhere) the old
    // watch follows the replaced file, not the path.
    if (!path.isEmpty()) {
        watcher_->addPath(path);
    }
}

void StoreController::reread() {
    if (l_.archivo.isOpen()) {
        if (Result<bool> reopened = l_.archivo.reopenIfReplaced(); !reopened.ok()) {
            showFileError(d_, "No se pudo leer el archivo de mensajes.", reopened.error());
            return;
        }
        const std::vector<std::string> before = l_.lstcodigo;
        const int index = l_.lstcodigoIndex;
        if (Result<void> refilled = llenarlista(l_); !refilled.ok()) {
            showFileError(d_, "No se pudo leer el archivo de mensajes.", refilled.error());
        } else if (l_.lstcodigo == before) {
            l_.lstcodigoIndex = index;
        }
    }
    followFile();
    emit changes_.listChanged();
}

void StoreController::followFile() {
    // Starting the first file (a scratch one, by ADICIONAR) keeps the step that started it.
    if (l_.archivo.path() != shownPath_) {
        if (history_ != nullptr && !shownPath_.empty()) {
            history_->forgetSteps();
        }
        shownPath_ = l_.archivo.path();
    }
    watchFile();
    auto file = std::tuple(l_.archivo.isOpen(), l_.archivo.path(), l_.scratch.isOpen());
    if (file != announcedFile_) {
        announcedFile_ = std::move(file);
        emit changes_.fileChanged();
    }
}

void StoreController::mostrar() {
    if (w_.Lstcodigo != nullptr) {
        syncing_ = true;
        QStringList inputs;
        for (const std::string& input : l_.lstcodigo) {
            inputs << QString::fromStdString(input);
        }
        QStringList currentItems;
        for (int i = 0; i < w_.Lstcodigo->count(); ++i) {
            currentItems << w_.Lstcodigo->item(i)->text();
        }
        if (currentItems != inputs) {
            w_.Lstcodigo->clear();
            w_.Lstcodigo->addItems(inputs);
        }
        w_.Lstcodigo->setCurrentRow(l_.lstcodigoIndex);
        syncing_ = false;
    }
    if (w_.panel0 != nullptr && l_.archivo.isOpen()) {
        // A scratch file's path is no name the user chose and not where they would look.
        w_.panel0->setText(l_.scratch.isOpen() ? QStringLiteral("Mensajes sin guardar")
                                               : QString::fromStdString(l_.archivo.path()));
    }
}

void StoreController::afterHandler() {
    followFile();
    emit changes_.listChanged();
    emit changes_.modeChanged();
    emit changes_.textChanged();
}

void StoreController::record(const char* name, const std::function<void()>& operation) {
    if (history_ != nullptr) {
        history_->recordFile(QString::fromUtf8(name), operation);
    } else {
        operation();
    }
    afterHandler();
}

void StoreController::adicionar() {
    if (addCheck_ && !addCheck_()) {
        return;
    }
    std::optional<int> added;
    record("adicionar mensaje", [this, &added] { added = ADICIONAR_Click(l_, d_); });
    announce(ListChange::Added, added);
}

void StoreController::modificar() {
    std::optional<int> modified;
    record("modificar mensaje", [this, &modified] { modified = MODIFICAR_Click(l_, d_); });
    announce(ListChange::Modified, modified);
}

void StoreController::eliminar() {
    std::optional<int> deleted;
    record("eliminar mensaje", [this, &deleted] { deleted = ELIMINAR_Click(l_, d_); });
    announce(ListChange::Deleted, deleted);
}

void StoreController::announce(ListChange change, std::optional<int> numero) {
    if (numero) {
        emit changed(QString::fromStdString(changeNotice(change, *numero)));
    }
}

void StoreController::moveUp() {
    moveSelected(-1);
}

void StoreController::moveDown() {
    moveSelected(+1);
}

void StoreController::moveSelected(int step) {
    const std::string input = selectedEntry(l_);
    if (input.empty()) {
        warnNoSelection();
        return;
    }
    // Entries are listed in file order, so the selected row is the message's place.
    const int place = l_.lstcodigoIndex + 1 + step;
    if (place < 1 || place > static_cast<int>(l_.lstcodigo.size())) {
        return;
    }
    record(step < 0 ? "subir mensaje" : "bajar mensaje", [this, input, place] {
        if (Result<void> moved = moveMessage(l_.archivo, std::stoi(input), place); !moved.ok()) {
            showFileError(d_, "No se pudo mover el mensaje.", moved.error());
            return;
        }
        refillSelecting(place);
    });
}

void StoreController::duplicate() {
    const std::string input = selectedEntry(l_);
    if (input.empty()) {
        warnNoSelection();
        return;
    }
    record("duplicar mensaje", [this, input] {
        const Result<int> copy = duplicateMessage(l_.archivo, std::stoi(input));
        if (!copy.ok()) {
            showFileError(d_, "No se pudo duplicar el mensaje.", copy.error());
            return;
        }
        refillSelecting(copy.value());
    });
}

void StoreController::moveTo(int numero, int place) {
    record("mover mensaje", [this, numero, place] {
        if (moveAndRefill(numero, place)) {
            selectNumber(l_, place);
        }
    });
}

bool StoreController::moveAndRefill(int numero, int place) {
    if (Result<void> moved = moveMessage(l_.archivo, numero, place); !moved.ok()) {
        showFileError(d_, "No se pudo mover el mensaje.", moved.error());
        return false;
    }
    if (Result<void> refilled = llenarlista(l_); !refilled.ok()) {
        showFileError(d_, "No se pudo leer el archivo de mensajes.", refilled.error());
        return false;
    }
    return true;
}

int StoreController::numberAt(int row) const {
    return std::stoi(l_.lstcodigo.at(static_cast<std::size_t>(row)));
}

std::vector<int> StoreController::validRows(std::vector<int> rows) const {
    std::ranges::sort(rows);
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const auto outside = [this](int row) {
        return row < 0 || row >= static_cast<int>(l_.lstcodigo.size());
    };
    std::erase_if(rows, outside);
    return rows;
}

std::vector<int> StoreController::moveRows(std::vector<int> rows, int step) {
    rows = validRows(std::move(rows));
    const int last = static_cast<int>(l_.lstcodigo.size()) - 1;
    if (rows.empty() || (step < 0 && rows.front() == 0) || (step > 0 && rows.back() == last)) {
        return {};
    }
    const bool several = rows.size() > 1;
    const char* name = step < 0 ? (several ? "subir mensajes" : "subir mensaje")
                                : (several ? "bajar mensajes" : "bajar mensaje");
    bool moved = true;
    record(name, [this, &rows, step, &moved] {
        // Each run of neighbouring rows moves by taking the entry next to it to its other
        // end: one rewrite of the file per run, not per entry.
        for (std::size_t begin = 0; begin < rows.size() && moved;) {
            std::size_t end = begin + 1;
            while (end < rows.size() && rows[end] == rows[end - 1] + 1) {
                ++end;
            }
            const int top = rows[begin];
            const int bottom = rows[end - 1];
            moved = step < 0 ? moveAndRefill(numberAt(top - 1), bottom + 1)
                             : moveAndRefill(numberAt(bottom + 1), top + 1);
            begin = end;
        }
        if (moved) {
            l_.lstcodigoIndex = rows.front() + step;
        }
    });
    if (!moved) {
        return {};
    }
    for (int& row : rows) {
        row += step;
    }
    return rows;
}

std::vector<int> StoreController::moveRowsTo(std::vector<int> rows, int gap) {
    rows = validRows(std::move(rows));
    gap = std::clamp(gap, 0, static_cast<int>(l_.lstcodigo.size()));
    if (rows.empty()) {
        return {};
    }
    const auto below = std::ranges::lower_bound(rows, gap);
    const int start = gap - static_cast<int>(below - rows.begin());
    bool moved = true;
    record(rows.size() > 1 ? "mover mensajes" : "mover mensaje", [&] {
        // Those above the gap go to it from the nearest, those below from the nearest: no
        // move then shifts an entry not yet moved, so every row still holds as chosen.
        int place = gap;
        for (auto row = std::make_reverse_iterator(below); row != rows.rend() && moved; ++row) {
            moved = *row + 1 == place || moveAndRefill(numberAt(*row), place);
            --place;
        }
        place = gap + 1;
        for (auto row = below; row != rows.end() && moved; ++row) {
            moved = *row + 1 == place || moveAndRefill(numberAt(*row), place);
            ++place;
        }
        if (moved) {
            l_.lstcodigoIndex = start;
        }
    });
    if (!moved) {
        return {};
    }
    std::vector<int> placed(rows.size());
    for (std::size_t k = 0; k < placed.size(); ++k) {
        placed[k] = start + static_cast<int>(k);
    }
    return placed;
}

void StoreController::eliminarRows(std::vector<int> rows) {
    rows = validRows(std::move(rows));
    if (rows.empty()) {
        return;
    }
    std::vector<int> deleted;
    record(rows.size() > 1 ? "eliminar mensajes" : "eliminar mensaje", [this, &rows, &deleted] {
        for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
            Lstcodigo_Click(l_, d_, *row);
            const std::optional<int> numero = ELIMINAR_Click(l_, d_);
            if (!numero) {
                break; // its own box said why; the rest stay
            }
            deleted.push_back(*numero);
        }
    });
    if (deleted.size() == 1) {
        announce(ListChange::Deleted, deleted.front());
    } else if (!deleted.empty()) {
        emit changed(QStringLiteral("%1 mensajes eliminados").arg(deleted.size()));
    }
}

void StoreController::refillSelecting(int numero) {
    if (Result<void> refilled = llenarlista(l_); !refilled.ok()) {
        showFileError(d_, "No se pudo leer el archivo de mensajes.", refilled.error());
        return;
    }
    selectNumber(l_, numero);
}

void StoreController::warnNoSelection() {
    MessageBoxSpec box;
    box.title = "No se ha seleccionado";
    box.texto = "Seleccione en la lista el mensaje que desea mover o duplicar.";
    box.icon = Icon::Exclamation;
    d_.mensaje(box);
}

void StoreController::abrir() {
    abrir_Click(l_, d_);
    afterHandler();
}

void StoreController::openPath(const QString& path) {
    lumivel::openPath(l_, d_, path.toStdString());
    afterHandler();
}

void StoreController::guardar() {
    // The saved file holds the same messages, so the steps go on, applied to it; only
    // opening or starting another file makes them stale.
    if (guardar_Click(l_, d_)) {
        shownPath_ = l_.archivo.path();
    }
    afterHandler();
}

void StoreController::nuevo() {
    nuevo_Click(l_, d_);
    afterHandler();
}

void StoreController::recall(int row) {
    Lstcodigo_Click(l_, d_, row);
    afterHandler();
}

bool StoreController::confirmExitOrStay() {
    const bool confirmExitOrStay = confirmExit(l_, d_);
    afterHandler();
    return confirmExitOrStay;
}

void StoreController::rowChanged(int row) {
    if (syncing_ || row < 0) {
        return;
    }
    // A press reports the new row first and the pressed item after it: recall once.
    rememberedOnPress_ = QGuiApplication::mouseButtons() != Qt::NoButton;
    recall(row);
}

void StoreController::onItemPressed(QListWidgetItem* item) {
    // Pressing the selected entry again recalls it again, as a click on the list does.
    if (rememberedOnPress_) {
        rememberedOnPress_ = false;
        return;
    }
    if (item != nullptr && w_.Lstcodigo != nullptr) {
        recall(w_.Lstcodigo->row(item));
    }
}

} // namespace lumivel
