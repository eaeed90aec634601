// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"
#include "session/scratch_file.hpp"
#include "store/message_file.hpp"

#include <string>

namespace lumivel {

// Open: the chosen .men file becomes the message file (a new name makes an empty one);
// the list is refilled and Text1 emptied. Cancelling changes nothing.
void abrir_Click(Lumivel& l, Dialogs& d);
// What Open does once a file is chosen (a file named on the command line or dropped on the
// window): asks about unsaved scratch messages, then opens `path` and empties Text1.
void openPath(Lumivel& l, Dialogs& d, const std::string& path);
// Save: copies the open message file to the chosen name and continues with the copy.
// Returns true when the messages are now in a named file (also for the same name).
bool guardar_Click(Lumivel& l, Dialogs& d);
// New: starts an empty scratch message file and empties Text1 and the sign.
void nuevo_Click(Lumivel& l, Dialogs& d);

// Before the program ends: when messages exist only in a scratch file, asks whether to
// save them. Returns false when the user chose to stay. Closes the message file otherwise.
bool confirmExit(Lumivel& l, Dialogs& d);

// Opens `path` as the message file (creating it when missing) and refills the list, or
// leaves the previously open file open and as it was and returns why it cannot.
Result<void> openMessageFile(Lumivel& l, const std::string& path);

// Copies the open message file (or, with none open, an empty one) to `target` without
// ever leaving a partial destination, then continues with the copy.
Result<void> saveAs(Lumivel& l, const std::string& target);

} // namespace lumivel
