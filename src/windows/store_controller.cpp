#include "windows/store_controller.hpp"

#include "session/file_choice.hpp"
#include "session/message_list.hpp"
#include "store/message_order.hpp"
#include "windows/edit_history.hpp"

#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace lumivel {

StoreController::StoreController(const StoreWidgets& widgets, Lumivel& l, Dialogs& d,
                                 std::function<void()> showControls, QObject* parent)
    : QObject(parent), w_(widgets), l_(l), d_(d), showState_(std::move(showControls)) {
    const auto conectar = [this](QPushButton* boton, void (StoreController::*slot)()) {
        if (boton != nullptr) {
            connect(boton, &QPushButton::clicked, this, slot);
        }
    };
    conectar(w_.ADICIONAR, &StoreController::adicionar);
    conectar(w_.MODIFICAR, &StoreController::modificar);
    conectar(w_.ELIMINAR, &StoreController::eliminar);
    conectar(w_.abrir, &StoreController::abrir);
    conectar(w_.guardar, &StoreController::guardar);
    conectar(w_.nuevo, &StoreController::nuevo);
    if (w_.Lstcodigo != nullptr) {
        connect(w_.Lstcodigo, &QListWidget::currentRowChanged, this, &StoreController::rowChanged);
        connect(w_.Lstcodigo, &QListWidget::itemPressed, this, &StoreController::clic);
    }
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &StoreController::releer);
    mostrar();
}

void StoreController::watchFile() {
    const QString ruta =
        l_.archivo.isOpen() ? QString::fromStdString(l_.archivo.path()) : QString();
    if (const QStringList vigilados = watcher_->files(); !vigilados.isEmpty()) {
        watcher_->removePaths(vigilados);
    }
    // Re-added every time: after a rename over the path (a delete elsewhere) the old
    // watch follows the replaced file, not the path.
    if (!ruta.isEmpty()) {
        watcher_->addPath(ruta);
    }
}

void StoreController::releer() {
    if (l_.archivo.isOpen()) {
        if (Result<bool> reabierto = l_.archivo.reopenIfReplaced(); !reabierto.ok()) {
            showFileError(d_, "No se pudo leer el archivo de mensajes.", reabierto.error());
            return;
        }
        const std::vector<std::string> antes = l_.lstcodigo;
        const int indice = l_.lstcodigoIndex;
        if (Result<void> leido = llenarlista(l_); !leido.ok()) {
            showFileError(d_, "No se pudo leer el archivo de mensajes.", leido.error());
        } else if (l_.lstcodigo == antes) {
            l_.lstcodigoIndex = indice;
        }
    }
    mostrar();
}

void StoreController::mostrar() {
    // Starting the first file (a scratch one, by ADICIONAR) keeps the step that started it.
    if (l_.archivo.path() != shownPath_) {
        if (history_ != nullptr && !shownPath_.empty()) {
            history_->forgetSteps();
        }
        shownPath_ = l_.archivo.path();
    }
    if (w_.Lstcodigo != nullptr) {
        syncing_ = true;
        QStringList entradas;
        for (const std::string& entrada : l_.lstcodigo) {
            entradas << QString::fromStdString(entrada);
        }
        QStringList actuales;
        for (int i = 0; i < w_.Lstcodigo->count(); ++i) {
            actuales << w_.Lstcodigo->item(i)->text();
        }
        if (actuales != entradas) {
            w_.Lstcodigo->clear();
            w_.Lstcodigo->addItems(entradas);
        }
        w_.Lstcodigo->setCurrentRow(l_.lstcodigoIndex);
        syncing_ = false;
    }
    if (w_.panel0 != nullptr && l_.archivo.isOpen()) {
        // A scratch file's path is no name the user chose and not where they would look.
        w_.panel0->setText(l_.isScratchFile ? QStringLiteral("Mensajes sin guardar")
                                            : QString::fromStdString(l_.archivo.path()));
    }
    watchFile();
    emit listShown();
}

void StoreController::despues() {
    mostrar();
    noteNamedFile();
    if (showState_) {
        showState_();
    }
}

void StoreController::noteNamedFile() {
    const QString path = l_.archivo.isOpen() && !l_.isScratchFile
                             ? QString::fromStdString(l_.archivo.path())
                             : QString();
    if (!path.isEmpty() && path != namedFile_) {
        emit namedFileOpened(path);
    }
    namedFile_ = path;
}

void StoreController::record(const char* name, const std::function<void()>& operation) {
    if (history_ != nullptr) {
        history_->recordFile(QString::fromUtf8(name), operation);
    } else {
        operation();
    }
    despues();
}

void StoreController::adicionar() {
    if (addCheck_ && !addCheck_()) {
        return;
    }
    record("adicionar mensaje", [this] { ADICIONAR_Click(l_, d_); });
}

void StoreController::modificar() {
    record("modificar mensaje", [this] { MODIFICAR_Click(l_, d_); });
}

void StoreController::eliminar() {
    record("eliminar mensaje", [this] { ELIMINAR_Click(l_, d_); });
}

void StoreController::subir() {
    moveSelected(-1);
}

void StoreController::bajar() {
    moveSelected(+1);
}

void StoreController::moveSelected(int step) {
    const std::string entrada = selectedEntry(l_);
    if (entrada.empty()) {
        avisoSinSeleccion();
        return;
    }
    // Entries are listed in file order, so the selected row is the message's place.
    const int lugar = l_.lstcodigoIndex + 1 + step;
    if (lugar < 1 || lugar > static_cast<int>(l_.lstcodigo.size())) {
        return;
    }
    record(step < 0 ? "subir mensaje" : "bajar mensaje", [this, entrada, lugar] {
        if (Result<void> moved = moveMessage(l_.archivo, std::stoi(entrada), lugar); !moved.ok()) {
            showFileError(d_, "No se pudo mover el mensaje.", moved.error());
            return;
        }
        refillSelecting(lugar);
    });
}

void StoreController::duplicar() {
    const std::string entrada = selectedEntry(l_);
    if (entrada.empty()) {
        avisoSinSeleccion();
        return;
    }
    record("duplicar mensaje", [this, entrada] {
        const Result<int> copia = duplicateMessage(l_.archivo, std::stoi(entrada));
        if (!copia.ok()) {
            showFileError(d_, "No se pudo duplicar el mensaje.", copia.error());
            return;
        }
        refillSelecting(copia.value());
    });
}

void StoreController::refillSelecting(int numero) {
    if (Result<void> refilled = llenarlista(l_); !refilled.ok()) {
        showFileError(d_, "No se pudo leer el archivo de mensajes.", refilled.error());
        return;
    }
    selectNumber(l_, numero);
}

void StoreController::avisoSinSeleccion() {
    MessageBoxSpec caja;
    caja.title = "No se ha seleccionado";
    caja.texto = "Seleccione en la lista el mensaje que desea mover o duplicar.";
    caja.icono = Icon::Exclamation;
    d_.mensaje(caja);
}

void StoreController::abrir() {
    abrir_Click(l_, d_);
    despues();
}

void StoreController::openPath(const QString& path) {
    lumivel::openPath(l_, d_, path.toStdString());
    despues();
}

void StoreController::guardar() {
    guardar_Click(l_, d_);
    despues();
}

void StoreController::nuevo() {
    nuevo_Click(l_, d_);
    despues();
}

void StoreController::recall(int row) {
    Lstcodigo_Click(l_, d_, row);
    despues();
}

bool StoreController::confirmExitOrStay() {
    const bool confirmExitOrStay = confirmExit(l_, d_);
    despues();
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

void StoreController::clic(QListWidgetItem* item) {
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
