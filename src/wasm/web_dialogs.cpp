// SPDX-License-Identifier: GPL-3.0-or-later
#include "wasm/web_dialogs.hpp"

#include "base/json.hpp"
#include "wasm/box_json.hpp"

#include <emscripten.h>

#include <cstdlib>
#include <memory>

// The hooks answer with a number or a string the core frees; null is "cancelled".
// clang-format off
EM_ASYNC_JS(int, askMessageBox, (const char* box), {
    return await Module.lumivelHooks.mensaje(JSON.parse(UTF8ToString(box)));
});

EM_ASYNC_JS(char*, askFile, (int saving, const char* options), {
    const hooks = Module.lumivelHooks;
    const parsed = JSON.parse(UTF8ToString(options));
    const path = await (saving ? hooks.saveFile(parsed) : hooks.openFile(parsed));
    if (path === null || path === undefined) {
        return 0;
    }
    const size = lengthBytesUTF8(path) + 1;
    const copy = _malloc(size);
    stringToUTF8(path, copy, size);
    return copy;
});

EM_ASYNC_JS(int, askColour, (int initial), {
    const chosen = await Module.lumivelHooks.chooseColor(
        [(initial >> 16) & 255, (initial >> 8) & 255, initial & 255]);
    return chosen ? (chosen[0] << 16) | (chosen[1] << 8) | chosen[2] : -1;
});
// clang-format on

namespace lumivel {
namespace {

const char* memoryName(FileMemory memory) {
    switch (memory) {
    case FileMemory::Images:
        return "Images";
    case FileMemory::Exports:
        return "Exports";
    case FileMemory::Messages:
        break;
    }
    return "Messages";
}

std::string optionsJson(const FileDialogOptions& options) {
    std::string filters;
    for (const std::string& filter : options.filters) {
        filters += (filters.empty() ? "" : ",") + jsonString(filter);
    }
    return "{\"title\":" + jsonString(options.title) + ",\"filters\":[" + filters +
           "],\"defaultSuffix\":" + jsonString(options.defaultSuffix) +
           ",\"name\":" + jsonString(options.name) + ",\"memory\":\"" + memoryName(options.memory) +
           "\"}";
}

std::optional<std::string> chooseFile(bool saving, const FileDialogOptions& options) {
    const std::unique_ptr<char, decltype(&std::free)> path(
        askFile(saving ? 1 : 0, optionsJson(options).c_str()), &std::free);
    if (!path) {
        return std::nullopt;
    }
    return std::string(path.get());
}

} // namespace

Answer WebDialogs::mensaje(const MessageBoxSpec& box) {
    const std::string json = boxJson(box);
    const int answer = askMessageBox(json.c_str());
    if (answer < static_cast<int>(Answer::Ok) || answer > static_cast<int>(Answer::No)) {
        return box.defaultAnswer;
    }
    return static_cast<Answer>(answer);
}

std::optional<std::string> WebDialogs::openFile(const FileDialogOptions& options) {
    return chooseFile(false, options);
}

std::optional<std::string> WebDialogs::saveFile(const FileDialogOptions& options) {
    return chooseFile(true, options);
}

std::optional<Rgb> WebDialogs::chooseColor(Rgb initial) {
    const int chosen = askColour((initial.r << 16) | (initial.g << 8) | initial.b);
    if (chosen < 0) {
        return std::nullopt;
    }
    return Rgb{(chosen >> 16) & 255, (chosen >> 8) & 255, chosen & 255};
}

} // namespace lumivel
