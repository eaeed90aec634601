// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/file_choice.hpp"

#include "base/system_reason.hpp"
#include "display/composition.hpp"
#include "session/message_list.hpp"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <system_error>

namespace lumivel {
namespace fs = std::filesystem;

namespace {

constexpr const char* kOpenFilter = "Mensajes del Lumivel (*.men)";
constexpr const char* kSaveFilter = "mensajes del lumivel (*.men)";
constexpr const char* kMessageSuffix = "men";

std::string randomSuffix() {
    static std::mt19937 generator{std::random_device{}()};
    char texto[16];
    std::snprintf(texto, sizeof texto, "%08x", static_cast<unsigned>(generator()));
    return texto;
}

// A name in `folder` that nothing uses yet.
fs::path freeName(const fs::path& folder, const std::string& prefix, const std::string& suffix) {
    for (;;) {
        fs::path candidate = folder / (prefix + randomSuffix() + suffix);
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec))) {
            return candidate;
        }
    }
}

Result<void> createEmpty(const fs::path& path) {
    errno = 0;
    std::FILE* archivo = std::fopen(path.c_str(), "wbx");
    if (archivo == nullptr) {
        const int error = errno;
        return Error{systemReason(error), path.string()};
    }
    std::fclose(archivo);
    return {};
}

} // namespace

Result<void> openMessageFile(Lumivel& l, const std::string& path) {
    // The new file is opened beside the open one and replaces it only once it is open and
    // sound, so a failure leaves the open one in use without closing it.
    MessageFile opening;
    LUMIVEL_TRY_VOID(opening.open(path));
    if (opening.count() > MessageFile::kMaxRecords) {
        return Error{"tiene más de " + std::to_string(MessageFile::kMaxRecords) +
                         " registros; no es un archivo de mensajes",
                     path};
    }
    l.archivo = std::move(opening);
    l.scratch.leave();
    l.totalmensajes = 1;
    return llenarlista(l);
}

Result<void> saveAs(Lumivel& l, const std::string& target) {
    std::error_code ec;
    if (l.archivo.isOpen() && fs::equivalent(target, l.archivo.path(), ec) && !ec) {
        // Saving under the open file's own name: it already holds every message.
        l.scratch.leave();
        l.totalmensajes = 1;
        return llenarlista(l);
    }
    if (fs::is_directory(target, ec)) {
        return Error{systemReason(EISDIR), target};
    }
    // Renaming over a FIFO or a device would replace it (or fail after the copy); only a
    // regular file, or a link to one, is ever a message file.
    if (const fs::file_status estado = fs::status(target, ec);
        fs::exists(estado) && !fs::is_regular_file(estado)) {
        return Error{kNotARegularFile, target};
    }

    // Copy beside the destination and rename over it, so a failed copy (disk full) never
    // leaves a partial file in place of the one that was there.
    const fs::path final = fs::path(target);
    const fs::path folder = final.has_parent_path() ? final.parent_path() : fs::path(".");
    const fs::path provisional = freeName(folder, "." + final.filename().string() + ".", ".tmp");
    // Failures name the destination: the provisional file is not the user's.
    std::optional<std::string> reason;
    if (Result<void> created = createEmpty(provisional); !created.ok()) {
        reason = created.error().reason;
    } else {
        // A copy takes the open file's mode, and a scratch file's is private: the saved file
        // keeps the mode of the one it replaces, or a new file's (0666 less the umask), which
        // the empty file was just created with.
        const fs::path modeOf = fs::exists(target, ec) ? final : provisional;
        const fs::perms mode = fs::status(modeOf, ec).permissions();
        if (l.archivo.isOpen() && !ec) {
            fs::copy_file(l.archivo.path(), provisional, fs::copy_options::overwrite_existing, ec);
        }
        if (!ec) {
            fs::permissions(provisional, mode, ec);
        }
        if (ec) {
            reason = systemReason(ec.value());
        }
    }
    if (!reason) {
        fs::rename(provisional, final, ec);
        if (ec) {
            reason = systemReason(ec.value());
        }
    }
    if (reason) {
        std::error_code ignored;
        fs::remove(provisional, ignored);
        return Error{*reason, target};
    }

    const bool wasScratch = l.scratch.isOpen();
    const std::string previous = l.archivo.path();
    LUMIVEL_TRY_VOID(openMessageFile(l, target));
    if (wasScratch && !previous.empty()) {
        // The scratch file's messages now live under the chosen name.
        discardScratch(l);
    }
    return {};
}

void abrir_Click(Lumivel& l, Dialogs& d) {
    FileDialogOptions options;
    options.filters = {kOpenFilter};
    options.defaultSuffix = kMessageSuffix;
    const auto path = d.openFile(options);
    if (!path || path->empty()) {
        return;
    }
    openPath(l, d, *path);
}

void openPath(Lumivel& l, Dialogs& d, const std::string& path) {
    if (!leaveScratch(l, d)) {
        return;
    }
    discardEmptyScratch(l);
    if (Result<void> opened = openMessageFile(l, path); !opened.ok()) {
        showFileError(d, "No se pudo abrir el archivo de mensajes.", opened.error());
        return;
    }
    changeText(l, "");
}

bool guardar_Click(Lumivel& l, Dialogs& d) {
    FileDialogOptions options;
    options.filters = {kSaveFilter};
    options.defaultSuffix = kMessageSuffix;
    const auto path = d.saveFile(options);
    if (!path || path->empty()) {
        return false;
    }
    std::error_code ec;
    if (fs::exists(*path, ec)) {
        MessageBoxSpec box;
        box.texto = "Sobreescribir el archivo existente?";
        box.buttons = Buttons::YesNo;
        box.icon = Icon::Question;
        box.defaultAnswer = Answer::No;
        if (d.mensaje(box) != Answer::Yes) {
            return false;
        }
    }
    if (Result<void> saved = saveAs(l, *path); !saved.ok()) {
        showFileError(d, "No se pudo guardar el archivo de mensajes.", saved.error());
        return false;
    }
    return true;
}

void nuevo_Click(Lumivel& l, Dialogs& d) {
    if (!leaveScratch(l, d)) {
        return;
    }
    if (Result<void> opened = openScratchFile(l); !opened.ok()) {
        showFileError(d, "No se pudo crear un archivo temporal para los mensajes.", opened.error());
        return;
    }
    changeText(l, "");
    l.sign.borrar();
    l.sign.mostrar();
}

bool confirmExit(Lumivel& l, Dialogs& d) {
    if (!leaveScratch(l, d)) {
        return false;
    }
    discardEmptyScratch(l);
    l.archivo.close();
    return true;
}

} // namespace lumivel
