// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace lumivel {

// Why a serial device could not be opened, as every port implementation tells it.
enum class PortRefusal {
    NotFound,
    // The system refused access: a missing permission or a port another program holds.
    Denied,
    // A regular file, /dev/null and the like: no terminal settings to make.
    NotSerial,
};

// The file a port name stands for: a bare name ("ttyUSB0") is a device under /dev.
std::string devicePath(const std::string& device);

// Whether the user may read and write the device, and its group (empty when unknown), so
// the message says what to do. POSIX only; elsewhere the device counts as accessible.
struct DeviceAccess {
    bool accessible = true;
    std::string group;
};
DeviceAccess deviceAccess(const std::string& device);

// The reason shown to the user. A refused device the user may use is held by another
// program (ports are locked while open), not missing a group membership.
std::string refusalReason(PortRefusal reason, const DeviceAccess& access);

// An open line that failed for good: the system's own text ("Inappropriate ioctl for
// device", "Input/output error") names a symptom, not the cause.
inline constexpr const char* kLineLostReason = "el letrero se desconectó durante la transmisión";

} // namespace lumivel
