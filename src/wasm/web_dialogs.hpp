// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"

namespace lumivel {

// Dialogs shown by the page: each call waits (Asyncify) for the Promise of the page's
// hook of the same name to settle.
class WebDialogs : public Dialogs {
  public:
    Answer mensaje(const MessageBoxSpec& box) override;
    std::optional<std::string> openFile(const FileDialogOptions& options) override;
    std::optional<std::string> saveFile(const FileDialogOptions& options) override;
    std::optional<Rgb> chooseColor(Rgb initial) override;
};

} // namespace lumivel
