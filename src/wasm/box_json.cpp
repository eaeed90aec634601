// SPDX-License-Identifier: GPL-3.0-or-later
#include "wasm/box_json.hpp"

#include "base/json.hpp"

namespace lumivel {
namespace {

const char* buttonsName(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNo:
        return "YesNo";
    case Buttons::YesNoCancel:
        return "YesNoCancel";
    case Buttons::OkCancel:
        return "OkCancel";
    case Buttons::Ok:
        break;
    }
    return "Ok";
}

const char* iconName(Icon icon) {
    switch (icon) {
    case Icon::Critical:
        return "Critical";
    case Icon::Question:
        return "Question";
    case Icon::Exclamation:
        return "Exclamation";
    case Icon::Information:
        return "Information";
    case Icon::None:
        break;
    }
    return "None";
}

} // namespace

std::string boxJson(const MessageBoxSpec& box) {
    return "{\"title\":" + jsonString(box.title) + ",\"texto\":" + jsonString(box.texto) +
           ",\"buttons\":\"" + buttonsName(box.buttons) + "\",\"icon\":\"" + iconName(box.icon) +
           "\",\"defaultAnswer\":" + std::to_string(static_cast<int>(box.defaultAnswer)) + "}";
}

} // namespace lumivel
