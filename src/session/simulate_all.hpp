// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "presentation/pacer.hpp"
#include "session/lumivel.hpp"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lumivel {

// "Simular todo", in two steps so a window can hold input only while the messages play.
// First the active messages of the open file, or nothing after telling why (no file, none
// active, unreadable).
std::optional<std::vector<tipomensaje>> messagesToSimulate(const Lumivel& l, Dialogs& d);
// Then the messages as the sign shows them, `beforeEach` told the index of each as it starts
// with its font and effect selected; afterwards the editor is as it was before (the text or
// drawing being edited, its font and effect, the sign).
void simularTodo(EditorState& l, const std::vector<tipomensaje>& messages, Pacer& pacer,
                 const std::function<void(std::size_t)>& beforeEach = {});
// "Mensaje 3 de 8": which message plays, counted from one.
std::string playingNotice(std::size_t index, std::size_t total);

} // namespace lumivel
