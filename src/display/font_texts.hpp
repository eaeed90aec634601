// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>

namespace lumivel {

// Hidden font text boxes of the main window, verbatim.
extern const std::string_view cincocinco; // "5 x 5"
extern const std::string_view cincosiete; // "5 x 7"
extern const std::string_view cinconueve; // "5 x 9"
extern const std::string_view negrita;    // "Negrita"

} // namespace lumivel
