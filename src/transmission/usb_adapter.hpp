// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace lumivel {

// The USB serial adapter behind a port, as far as the system tells.
struct UsbAdapter {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    // The driver's latency timer in sysfs, for the user to set; empty when it has none.
    std::string latencyTimerPath;
};

// The chip family a USB vendor makes serial adapters of ("FTDI", "Prolific PL2303", ...);
// empty for a vendor not known here.
std::string chipFamily(std::uint16_t vendorId);

// The adapter of a Linux tty device ("/dev/ttyUSB0", or a link to it), read from sysfs
// under `sysRoot`; nothing when the device is no USB device or sysfs says nothing.
std::optional<UsbAdapter> findUsbAdapter(const std::string& device,
                                         const std::string& sysRoot = "/sys");

} // namespace lumivel
