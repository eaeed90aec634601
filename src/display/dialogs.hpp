// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/sign_surface.hpp"

#include <optional>
#include <string>
#include <vector>

namespace lumivel {

// Message boxes, file dialogs and the colour dialog, behind one small interface so the
// core never shows anything itself and tests answer them without blocking.
// All texts are UTF-8.
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct MessageBoxSpec {
    std::string title;
    std::string texto;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    Answer defaultAnswer = Answer::Ok;
};

// Each kind of file dialog starts where the last one of its kind ended.
enum class FileMemory { Messages, Images, Exports };

struct FileDialogOptions {
    std::string title;                // empty: the platform's default title
    std::vector<std::string> filters; // e.g. "Mensajes (*.men)"
    std::string defaultSuffix;        // e.g. "men"
    std::string folder;               // start folder; empty: the platform's default
    std::string name;                 // file name proposed in it; empty: none
    FileMemory memory = FileMemory::Messages;
    bool confirmOverwrite = false; // the platform dialog asks before an existing file is chosen
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual Answer mensaje(const MessageBoxSpec& box) = 0;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> openFile(const FileDialogOptions& options) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogOptions& options) = 0;
    virtual std::optional<Rgb> chooseColor(Rgb initial) = 0;
};

} // namespace lumivel
