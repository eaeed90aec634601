// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "transmission/sign_link.hpp"
#include "transmission/transmission_image.hpp"

#include <string>

namespace lumivel {

// What the transmission window shows, the same in the desktop window and in the page.
inline constexpr const char* kTransmissionTitle =
    "Comunicacion Serial   Transmision de informacion  al Lumivel";
inline constexpr const char* kConnectedTitle = "CONECCION EXITOSA !!!";
inline constexpr const char* kProgrammingStatus = "Programando el lumivel";

struct Caption {
    std::string texto;
    std::string toolTip;
};

// "MENSAJES EN TOTAL", six spaces and the active messages the build found.
std::string messagesCaption(const LoadResult& load);
// The slots the image uses against the sign's last index, or why it cannot be sent.
Caption sizeCaption(const LoadResult& load, int ndatos);
// The status line once "Enviar" has ended: the transfer's summary, or that nothing was sent.
std::string finishedStatus(const SendResult& result);
// "Tiempo estimado: 18 s": the whole transfer at the pace the line was measured at.
std::string estimateCaption(const LinkMeasurement& link);
// "Quedan 12 s".
std::string timeLeftCaption(int seconds);
// Only a transfer that reached its last byte leaves the claim of a good connection.
bool keepsConnectedTitle(Outcome outcome);

} // namespace lumivel
