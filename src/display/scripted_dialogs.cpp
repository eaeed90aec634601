// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/scripted_dialogs.hpp"

namespace lumivel {

Answer ScriptedDialogs::mensaje(const MessageBoxSpec& box) {
    shownBoxes.push_back(box);
    if (replies.empty()) {
        return box.defaultAnswer;
    }
    const Answer reply = replies.front();
    replies.pop_front();
    return reply;
}

std::optional<std::string> ScriptedDialogs::nextFile(const FileDialogOptions& options) {
    fileDialogs.push_back(options);
    if (files.empty()) {
        return std::nullopt;
    }
    auto archivo = files.front();
    files.pop_front();
    return archivo;
}

std::optional<std::string> ScriptedDialogs::openFile(const FileDialogOptions& options) {
    return nextFile(options);
}

std::optional<std::string> ScriptedDialogs::saveFile(const FileDialogOptions& options) {
    return nextFile(options);
}

std::optional<Rgb> ScriptedDialogs::chooseColor(Rgb) {
    if (colours.empty()) {
        return std::nullopt;
    }
    auto color = colours.front();
    colours.pop_front();
    return color;
}

} // namespace lumivel
