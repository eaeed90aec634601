// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/scratch_recovery.hpp"

#include "session/file_choice.hpp"
#include "session/lumivel.hpp"
#include "session/scratch_folder.hpp"
#include "session/scratch_lock.hpp"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace lumivel {
namespace fs = std::filesystem;

namespace {

// Active messages of a message file; nothing when it cannot be read as one.
std::optional<int> countMessages(const std::string& path) {
    MessageStore store;
    if (!store.archivo.open(path, MessageFile::Access::ReadOnly).ok() ||
        store.archivo.count() > MessageFile::kMaxRecords || !llenarlista(store).ok()) {
        return std::nullopt;
    }
    return static_cast<int>(store.lstcodigo.size());
}

struct Leftover {
    ScratchLock lock;
    int messages = 0;
    timespec modified{};
};

bool earlier(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec < b.tv_sec : a.tv_nsec < b.tv_nsec;
}

std::string describeTime(const timespec& modified) {
    std::tm local{};
    localtime_r(&modified.tv_sec, &local);
    char text[32];
    std::strftime(text, sizeof text, "%d/%m/%Y %H:%M", &local);
    return text;
}

std::string recoveryQuestion(const Leftover& newest, std::size_t others) {
    const bool single = newest.messages == 1;
    std::string texto = "Hay " + std::to_string(newest.messages) +
                        (single ? " mensaje" : " mensajes") + " de una sesión anterior que no se " +
                        (single ? "guardó" : "guardaron") + " (" + describeTime(newest.modified) +
                        ").\r\n¿Desea recuperarlos?\r\n\r\n"
                        "Sí: recuperarlos para guardarlos con un nombre.\r\n"
                        "No: descartarlos.\r\n"
                        "Cancelar: decidirlo la próxima vez.";
    if (others == 1) {
        texto += "\r\n\r\nQueda otra sesión anterior sin guardar; se ofrecerá al volver a iniciar.";
    } else if (others > 1) {
        texto += "\r\n\r\nQuedan otras " + std::to_string(others) +
                 " sesiones anteriores sin guardar; se ofrecerán al volver a iniciar.";
    }
    return texto;
}

// The leftovers in `folder` that hold messages, each locked; the empty ones are removed.
std::vector<Leftover> collectLeftovers(const std::string& folder) {
    std::vector<Leftover> leftovers;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (!isScratchName(name) || !entry.is_regular_file(ec) || entry.is_symlink(ec)) {
            continue;
        }
        Result<ScratchLock> lock = ScratchLock::acquire(entry.path().string());
        if (!lock.ok()) {
            continue; // a running instance owns it
        }
        const std::optional<int> messages = countMessages(entry.path().string());
        if (!messages) {
            continue; // not readable as messages: left as it is
        }
        if (*messages == 0) {
            lock->discard();
            continue;
        }
        struct stat st {};
        if (::lstat(entry.path().c_str(), &st) != 0) {
            continue;
        }
        leftovers.push_back({std::move(lock).value(), *messages, st.st_mtim});
    }
    return leftovers;
}

} // namespace

void offerScratchRecovery(Lumivel& l, Dialogs& d, const std::string& requestedFolder) {
    if (l.archivo.isOpen()) {
        return;
    }
    std::string folder = requestedFolder;
    if (folder.empty()) {
        Result<std::string> found = scratchFolder();
        if (!found.ok()) {
            return; // the first message added reports it
        }
        folder = found.value();
    }
    std::vector<Leftover> leftovers = collectLeftovers(folder);
    if (leftovers.empty()) {
        return;
    }
    const auto newest = std::max_element(
        leftovers.begin(), leftovers.end(), [](const Leftover& a, const Leftover& b) {
            if (earlier(a.modified, b.modified) || earlier(b.modified, a.modified)) {
                return earlier(a.modified, b.modified);
            }
            return a.lock.file() < b.lock.file();
        });

    MessageBoxSpec box;
    box.title = "Mensajes sin guardar";
    box.texto = recoveryQuestion(*newest, leftovers.size() - 1);
    box.buttons = Buttons::YesNoCancel;
    box.icon = Icon::Question;
    box.defaultAnswer = Answer::Yes;
    switch (d.mensaje(box)) {
    case Answer::Yes:
        if (Result<void> opened = openMessageFile(l, newest->lock.file()); !opened.ok()) {
            showFileError(d, "No se pudieron recuperar los mensajes.", opened.error());
            return;
        }
        l.scratch.adopt(std::move(newest->lock));
        break;
    case Answer::No:
        newest->lock.discard();
        break;
    default:
        break;
    }
}

} // namespace lumivel
