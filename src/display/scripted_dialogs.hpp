// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"

#include <deque>

namespace lumivel {

// Dialogs answered from a script, for tests and the command line: every box shown is
// recorded; each answer is taken from the front of its queue (defaults when empty:
// the box's default button, a cancelled file or colour dialog).
class ScriptedDialogs : public Dialogs {
  public:
    std::deque<Answer> replies;
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<Rgb>> colours;

    std::vector<MessageBoxSpec> shownBoxes;
    std::vector<FileDialogOptions> fileDialogs;

    Answer mensaje(const MessageBoxSpec& box) override;
    std::optional<std::string> openFile(const FileDialogOptions& options) override;
    std::optional<std::string> saveFile(const FileDialogOptions& options) override;
    std::optional<Rgb> chooseColor(Rgb initial) override;

  private:
    std::optional<std::string> nextFile(const FileDialogOptions& options);
};

} // namespace lumivel
