// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"
#include "ui/sign_export.hpp"

namespace lumivel {

// "Exportar imagen..." and "Exportar animación...": asks where to save the message on
// the sign (the text with its effect and font, or the picture) in the LED colour in
// force, and writes it; a failure is shown in a message box.
void exportMessage(const Lumivel& l, Dialogs& d, ExportKind kind);

} // namespace lumivel
