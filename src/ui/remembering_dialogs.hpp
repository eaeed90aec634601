// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"

namespace lumivel {

// Passes every dialog on to `inner`. A file dialog given no start folder starts in the
// folder of the file of its kind chosen last, with its name proposed unless the caller
// proposes one; each file chosen is remembered
// for the next dialog and the next run.
class RememberingDialogs : public Dialogs {
  public:
    explicit RememberingDialogs(Dialogs& inner) : inner_(inner) {}

    Answer mensaje(const MessageBoxSpec& box) override { return inner_.mensaje(box); }
    std::optional<std::string> openFile(const FileDialogOptions& options) override;
    std::optional<std::string> saveFile(const FileDialogOptions& options) override;
    std::optional<Rgb> chooseColor(Rgb initial) override { return inner_.chooseColor(initial); }

  private:
    FileDialogOptions withLastFile(FileDialogOptions options) const;
    static void remember(FileMemory kind, const std::optional<std::string>& chosen);

    Dialogs& inner_;
};

} // namespace lumivel
