// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"

#include <cstddef>
#include <string>
#include <string_view>

namespace lumivel {

// The machine's serial ports offered by number, "Comm1".."Comm4" in the transmission
// window: the ports 0 .. kSerialPortCount - 1.
inline constexpr int kSerialPortCount = 4;

// The device of the machine's serial port `index` (0 .. kSerialPortCount - 1).
inline std::string serialPortDevice(int index) {
    return "/dev/ttyS" + std::to_string(index);
}

// A serial line to the sign, as the link protocol needs it. The desktop program is for Linux
// and drives real lines and pseudo-terminals through the POSIX port
// (transmission/posix_serial_port); the browser edition through Web Serial; tests through an
// in-process fake.
//
// A line that fails for good (unplugged, gone) fails the call that notices, with why; the
// link ends the transfer on that failure and closes the port, so nothing is asked of a lost
// line afterwards.
class Port {
  public:
    virtual ~Port() = default;

    // The device as the user chose it ("/dev/ttyS0", "/dev/ttyUSB0", "/dev/pts/3").
    virtual std::string name() const = 0;
    // On failure, why the port could not be opened, with the device as the error's path.
    virtual Result<void> abrir() = 0;
    virtual void close() = 0;
    // How many of the bytes the line took: fewer when it stopped taking them. Fails when the
    // line failed for good.
    virtual Result<std::size_t> escribir(std::string_view bytes) = 0;
    // Everything waiting in the input, waiting up to `timeoutMs` for the first byte to
    // arrive; returns as soon as there is something. Empty after the time-out. Fails when
    // the line failed for good.
    virtual Result<std::string> waitForBytes(int timeoutMs) = 0;
    // Drops whatever arrived before now (a sign that chattered, the tail of a transfer
    // killed half way), so the next reply read is an answer to the next byte written.
    virtual void discardInput() = 0;
};

} // namespace lumivel
