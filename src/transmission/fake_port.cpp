// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/fake_port.hpp"

namespace lumivel {

Result<void> FakePort::abrir() {
    if (openError) {
        return Error{*openError, deviceName};
    }
    ++opens;
    isOpenNow = true;
    pending_ = staleInput;
    return {};
}

void FakePort::close() {
    if (isOpenNow) {
        ++closes;
    }
    isOpenNow = false;
    pending_.clear();
}

Result<std::size_t> FakePort::escribir(std::string_view bytes) {
    if (!isOpenNow) {
        return Error{"el puerto no está abierto", deviceName};
    }
    for (const char c : bytes) {
        if (loseAfterWritten && written.size() >= *loseAfterWritten) {
            return Error{"el dispositivo ya no existe", deviceName};
        }
        written += c;
        pending_ += responder(static_cast<std::uint8_t>(c));
    }
    return bytes.size();
}

void FakePort::discardInput() {
    ++discards;
    pending_.clear();
}

Result<std::string> FakePort::waitForBytes(int /*timeoutMs*/) {
    std::string all;
    all.swap(pending_);
    return all;
}

} // namespace lumivel
