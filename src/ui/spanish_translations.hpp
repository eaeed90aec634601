// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

namespace lumivel {

// Qt's own Spanish texts for its standard dialogs, buttons and context menus ("Abrir",
// "Cancelar", "Deshacer", ...) and Spanish dates and numbers, whatever the system's language:
// the program speaks Spanish.
// Returns whether the translations were found.
bool installSpanishTranslations(QCoreApplication& app);

} // namespace lumivel
