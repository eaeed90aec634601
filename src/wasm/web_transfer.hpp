// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "wasm/transfer_panel.hpp"

#include <string>

namespace lumivel {

// "Enviar" in the page: sends the panel's image over the browser's port named `portName`,
// telling the page's transfer hooks how it goes; returns sendJson of how it ended.
// `usbVendorId` is the port's as Web Serial gives it (negative when unknown), `system` the
// computer's as the page sees it ("linux", "windows", anything else).
std::string sendFromPage(TransferPanel& panel, const std::string& portName, int usbVendorId,
                         const std::string& system);

} // namespace lumivel
