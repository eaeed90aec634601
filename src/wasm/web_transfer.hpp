#pragma once
#include "wasm/transfer_panel.hpp"

#include <string>

namespace lumivel {

// "Enviar" in the page: sends the panel's image over the browser's port named `portName`,
// telling the page's transfer hooks how it goes; returns sendJson of how it ended.
std::string sendFromPage(TransferPanel& panel, const std::string& portName);

} // namespace lumivel
