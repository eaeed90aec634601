// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace lumivel {

// The serial devices the system has under `devFolder`: USB adapters (ttyUSB*), USB modems
// and boards (ttyACM*) and the machine's own ports (ttyS*), each kind in numeric order.
// Linux makes ttyS0 to ttyS31 whether or not there is a port behind them; those whose
// type in sysfs (under `sysRoot`) is 0, no port, are left out.
std::vector<std::string> serialDevices(const std::string& devFolder = "/dev",
                                       const std::string& sysRoot = "/sys");

} // namespace lumivel
