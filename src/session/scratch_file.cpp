// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/scratch_file.hpp"

#include "session/file_choice.hpp"
#include "session/lumivel.hpp"
#include "session/scratch_folder.hpp"

#include <utility>

namespace lumivel {

void ScratchFile::adopt(ScratchLock lock) {
    lock_ = std::move(lock);
    open_ = lock_.held();
}

void ScratchFile::discard() {
    lock_.discard();
    open_ = false;
}

Result<void> openScratchFile(Lumivel& l, const std::string& requestedFolder) {
    std::string target = requestedFolder;
    if (target.empty()) {
        LUMIVEL_TRY(target, scratchFolder());
    }
    LUMIVEL_TRY(ScratchLock fresh, ScratchLock::create(target));
    discardEmptyScratch(l);
    if (Result<void> opened = openMessageFile(l, fresh.file()); !opened.ok()) {
        fresh.discard();
        return opened;
    }
    l.scratch.adopt(std::move(fresh));
    return {};
}

void discardScratch(Lumivel& l) {
    if (l.scratch.isOpen() && l.archivo.isOpen()) {
        l.archivo.close();
        (void)llenarlista(l); // nothing open: empties the list
    }
    l.scratch.discard();
}

void discardEmptyScratch(Lumivel& l) {
    if (l.scratch.isOpen() && l.totalmensajes == 0 && l.archivo.isOpen()) {
        discardScratch(l);
    }
}

bool leaveScratch(Lumivel& l, Dialogs& d) {
    if (!l.scratch.isOpen() || !l.archivo.isOpen() || l.totalmensajes == 0) {
        return true;
    }
    MessageBoxSpec box;
    box.title = "Mensajes sin guardar";
    box.texto = "Los mensajes solo están en un archivo temporal.\r\n"
                "¿Desea guardarlos en un archivo antes?";
    box.buttons = Buttons::YesNoCancel;
    box.icon = Icon::Question;
    box.defaultAnswer = Answer::Yes;
    switch (d.mensaje(box)) {
    case Answer::Yes:
        return guardar_Click(l, d);
    case Answer::No:
        // The user does not want them: nothing is left behind.
        discardScratch(l);
        return true;
    default:
        return false;
    }
}

} // namespace lumivel
