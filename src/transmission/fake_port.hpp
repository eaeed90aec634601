// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "transmission/port.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace lumivel {

// An in-process port for tests and dry runs: records every byte written and answers each
// one at once from `responder` (an echo by default). An empty answer is a time-out,
// reported without waiting.
class FakePort : public Port {
  public:
    std::function<std::string(std::uint8_t)> responder = [](std::uint8_t byte) {
        return std::string(1, static_cast<char>(byte));
    };
    std::string deviceName = "fake";
    // Set: abrir() fails with this reason.
    std::optional<std::string> openError;
    // Set: the device disappears after this many bytes have been written; every write from
    // then on fails.
    std::optional<std::size_t> loseAfterWritten;
    // Bytes already waiting when the port is opened, as a line that chattered leaves them.
    std::string staleInput;
    int discards = 0;

    std::string written;
    int opens = 0;
    int closes = 0;
    bool isOpenNow = false;

    std::string name() const override { return deviceName; }
    Result<void> abrir() override;
    void close() override;
    Result<std::size_t> escribir(std::string_view bytes) override;
    Result<std::string> waitForBytes(int timeoutMs) override;
    void discardInput() override;

  private:
    std::string pending_;
};

} // namespace lumivel
