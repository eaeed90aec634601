// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "transmission/link_timing.hpp"
#include "transmission/usb_adapter.hpp"

#include <optional>
#include <string>

namespace lumivel {

// Where the user sets an adapter's latency timer.
enum class AdviceSystem { Linux, Windows, Other };

// The system this program was built for.
constexpr AdviceSystem thisSystem() {
#if defined(__linux__)
    return AdviceSystem::Linux;
#else
    return AdviceSystem::Other;
#endif
}

// What to tell a user whose echoes come back much later than the wire needs.
struct LinkAdvice {
    std::string title;
    // Lines separated by "\n": what was measured, the likely cause, what the transfer
    // costs because of it and how to fix it on this system.
    std::string texto;
    // The command that fixes it for this port (Linux, a timer in sysfs); empty when none.
    std::string command;
    std::string device;
};

// The advice for a slow link; nothing when the link is not slow. `adapter` is what the
// system says of the port's adapter, if anything; `device` names the port in the texts.
std::optional<LinkAdvice> slowLinkAdvice(const LinkMeasurement& link, const std::string& device,
                                         const std::optional<UsbAdapter>& adapter,
                                         AdviceSystem system);

// The advice as a box: it asks whether to show the command when there is one.
MessageBoxSpec adviceBox(const LinkAdvice& advice);
// The command, in a box of its own, for the user who asked to see it.
MessageBoxSpec commandBox(const LinkAdvice& advice);

} // namespace lumivel
