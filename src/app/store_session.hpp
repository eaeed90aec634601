// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/arguments.hpp"
#include "app/command.hpp"
#include "app/offscreen_sign.hpp"
#include "display/scripted_dialogs.hpp"

#include <array>
#include <cstdint>
#include <string>

namespace lumivel::cli {

// The program's state as the window starts it, with one message file open, so the
// message-file commands run exactly the window's list operations. Message boxes the
// operations show are failures of the command.
class StoreSession {
  public:
    enum class Open { ReadOnly, Existing, CreateMissing };

    StoreSession();
    StoreSession(const StoreSession&) = delete;
    StoreSession& operator=(const StoreSession&) = delete;

    // Fails when the file cannot be opened or is not a message file.
    Result<void> abrir(const std::string& path, Open mode);

    Lumivel& state() { return sign_.state(); }
    ScriptedDialogs& dialogs() { return dialogs_; }

    // The text mode with a font (Opletra index), an effect (op_mostrar index) and a UTF-8 text.
    void editText(int fontIndex, int effectIndex, const std::string& utf8);
    // The drawing mode with the picture's 64 columns on the sign.
    void editPicture(const std::array<std::uint8_t, 64>& columnas);
    // Selects message number `numero` in the list; fails when there is none.
    Result<void> select(const std::string& numero);
    // Fails with the first message box an operation showed, if any.
    Result<void> check() const;
    // Removes the file when this session created it (after a failed first add).
    void discardIfCreated();

  private:
    OffscreenSign sign_;
    ScriptedDialogs dialogs_;
    std::string path_;
    bool created_ = false;
};

// 128 hexadecimal digits (either case) as 64 column bytes; throws UsageError otherwise.
std::array<std::uint8_t, 64> pictureColumns(const std::string& hex);

// A message number N as typed; throws UsageError unless it is a whole number.
std::string messageNumber(const std::string& text);

} // namespace lumivel::cli
