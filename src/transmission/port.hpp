#pragma once
#include "base/result.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace lumivel {

// The machine's serial ports offered by number, "Comm1".."Comm4" in the transmission
// window: the platform's ports 0 .. kSerialPortCount - 1.
inline constexpr int kSerialPortCount = 4;

// A serial line to the sign, as the link protocol needs it. Implemented by QSerialPort for
// real lines and the virtual sign, and by an in-process fake for tests.
class Port {
  public:
    virtual ~Port() = default;

    // The device as the user chose it ("/dev/ttyS0", "COM1", "/dev/pts/3").
    virtual std::string name() const = 0;
    // On failure, why the port could not be opened, with the device as the error's path.
    virtual Result<void> abrir() = 0;
    virtual void close() = 0;
    // Fails when the device failed for good (fault() then holds why) or took only part of
    // the bytes.
    virtual Result<void> escribir(std::string_view bytes) = 0;
    // Everything waiting in the input, waiting up to `timeoutMs` for the first byte to
    // arrive; returns as soon as there is something. Empty after the time-out.
    virtual std::string waitForBytes(int timeoutMs) = 0;
    // Drops whatever arrived before now (a sign that chattered, the tail of a transfer
    // killed half way), so the next reply read is an answer to the next byte written.
    virtual void discardInput() = 0;
    // Set once the device has failed for good (unplugged, gone): nothing more can be sent.
    virtual std::optional<Error> fault() const = 0;
};

} // namespace lumivel
