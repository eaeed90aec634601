// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "transmission/port.hpp"

namespace lumivel {

// Asks the driver to hand each received byte over at once (ASYNC_LOW_LATENCY). USB serial
// adapters otherwise hold input up to their latency timer, 16 ms on many FTDI chips, which
// a stop-and-wait link pays on every byte. False where the driver refuses (a
// pseudo-terminal does) or the platform has no such request; that is not an error.
bool requestLowLatency(int fd);

// A serial line through the POSIX terminal interface with the sign's fixed settings
// (kLineBaud, 8N1, no flow control, DTR on, RTS off). Waiting for an echo is one poll() on
// the descriptor, so an exchange costs a few system calls. The device is locked with
// flock() while open, so two senders never share a line.
class PosixSerialPort : public Port {
  public:
    explicit PosixSerialPort(std::string device);
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    std::string name() const override { return device_; }
    Result<void> abrir() override;
    void close() override;
    Result<std::size_t> escribir(std::string_view bytes) override;
    Result<std::string> waitForBytes(int timeoutMs) override;
    void discardInput() override;

  private:
    Result<void> setLine();
    // The line failed for good: lets go of the device and says why.
    Error lose();

    std::string device_;
    int fd_ = -1;
    // When the last byte was written: its echo cannot cross the line sooner than two
    // characters later.
    long long lastWriteNs_ = 0;
};

} // namespace lumivel
