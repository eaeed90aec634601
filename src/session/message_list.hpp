// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"
#include "store/message_file.hpp"

#include <optional>
#include <string>

namespace lumivel {

// The buttons of the message list. Each reports its own failures in a message box and
// leaves the message file holding whole records only, and returns the number of the message
// it added, modified or deleted; nothing when it did not (no selection, a refusal, a failure).
//
// ADICIONAR: appends the text of Text1 (text mode) or the drawn picture (drawing mode).
// Before any file is open it starts a scratch message file first.
std::optional<int> ADICIONAR_Click(Lumivel& l, Dialogs& d);
// The active message ADICIONAR writes for the editor as it is, without its number.
tipomensaje editorMessage(const EditorState& l);
// MODIFICAR: rewrites the selected message; refuses when the mode does not match its kind.
std::optional<int> MODIFICAR_Click(Lumivel& l, Dialogs& d);
// ELIMINAR: marks the selected message deleted, renumbers, empties Text1 and the sign.
std::optional<int> ELIMINAR_Click(Lumivel& l, Dialogs& d);

enum class ListChange { Added, Modified, Deleted };
// What the status bar says a button did: "Mensaje 9 añadido", "Mensaje 3 modificado",
// "Mensaje 2 eliminado".
std::string changeNotice(ListChange change, int numero);
// Selection of entry `index` of Lstcodigo: recalls the message into the editor and sign.
void Lstcodigo_Click(Lumivel& l, Dialogs& d, int index);

} // namespace lumivel
