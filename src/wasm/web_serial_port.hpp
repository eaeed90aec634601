// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "transmission/port.hpp"

#include <string>

namespace lumivel {

// The port the browser gave the page (Web Serial), driven through the page's serial hooks
// (browser/serial_port.js): each write and each wait for an echo waits (Asyncify) for the
// browser's Promise, so the link runs here exactly as on the desktop.
class WebSerialPort : public Port {
  public:
    explicit WebSerialPort(std::string name) : name_(std::move(name)) {}

    std::string name() const override { return name_; }
    Result<void> abrir() override;
    void close() override;
    Result<std::size_t> escribir(std::string_view bytes) override;
    Result<std::string> waitForBytes(int timeoutMs) override;
    void discardInput() override;

  private:
    std::string name_;
};

} // namespace lumivel
