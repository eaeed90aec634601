// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "store/message_file.hpp"
#include "store/message_record.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace lumivel {

// The message store: the open message file, the one record buffer, and the entries of
// Lstcodigo with the selected one. Part of the program's shared state.
struct MessageStore {
    MessageFile archivo;
    tipomensaje mensaje;
    std::int16_t totalmensajes = 0;
    std::vector<std::string> lstcodigo;
    int lstcodigoIndex = -1; // -1: none selected
};

// Refills `lstcodigo` (one entry per active record, in file order) and `totalmensajes`
// from the open message file; no entry is selected afterwards.
Result<void> llenarlista(MessageStore& s);

// The selected entry's text; empty when none is selected.
std::string selectedEntry(const MessageStore& s);
// Selects the entry showing message number `numero`; false when the list has none.
bool selectNumber(MessageStore& s, int numero);

// Shows a failed file operation: what was being done, the path and the system's reason.
void showFileError(Dialogs& d, const std::string& action, const Error& error);

} // namespace lumivel
