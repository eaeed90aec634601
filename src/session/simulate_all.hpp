#pragma once
#include "display/dialogs.hpp"
#include "presentation/pacer.hpp"
#include "session/lumivel.hpp"

#include <optional>
#include <vector>

namespace lumivel {

// "Simular todo", in two steps so a window can hold input only while the messages play.
// First the active messages of the open file, or nothing after telling why (no file, none
// active, unreadable).
std::optional<std::vector<tipomensaje>> messagesToSimulate(const Lumivel& l, Dialogs& d);
// Then the messages as the sign shows them; a drawing being edited is no message of the
// file, so it comes back once they have played.
void simularTodo(EditorState& l, const std::vector<tipomensaje>& mensajes, Pacer& pacer);

} // namespace lumivel
