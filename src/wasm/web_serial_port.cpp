// SPDX-License-Identifier: GPL-3.0-or-later
#include "wasm/web_serial_port.hpp"

#include "transmission/port_refusal.hpp"

#include <emscripten.h>

#include <cstdlib>
#include <memory>

// The hooks answer "" for success or the reason of a failure; the reasons are the
// browser's own, in Spanish where the page knows them. A write that fails has lost the
// line (the page marks it so); the reader loop may also find it lost while the core waits.
// clang-format off
EM_ASYNC_JS(char*, serialOpen, (), {
    const reason = await Module.lumivelHooks.serial.open();
    const copy = _malloc(lengthBytesUTF8(reason) + 1);
    stringToUTF8(reason, copy, lengthBytesUTF8(reason) + 1);
    return copy;
});

EM_ASYNC_JS(void, serialClose, (), {
    await Module.lumivelHooks.serial.close();
});

EM_ASYNC_JS(char*, serialWrite, (const std::uint8_t* bytes, int length), {
    const reason = await Module.lumivelHooks.serial.write(HEAPU8.slice(bytes, bytes + length));
    const copy = _malloc(lengthBytesUTF8(reason) + 1);
    stringToUTF8(reason, copy, lengthBytesUTF8(reason) + 1);
    return copy;
});

EM_ASYNC_JS(int, serialWait, (int timeoutMs), {
    return await Module.lumivelHooks.serial.wait(timeoutMs);
});

EM_JS(int, serialTake, (std::uint8_t* buffer, int capacity), {
    const bytes = Module.lumivelHooks.serial.take(capacity);
    HEAPU8.set(bytes, buffer);
    return bytes.length;
});

EM_JS(void, serialDiscard, (), {
    Module.lumivelHooks.serial.discard();
});

EM_JS(int, serialLost, (), {
    return Module.lumivelHooks.serial.lost() ? 1 : 0;
});
// clang-format on

namespace lumivel {
namespace {

std::string taken(char* reason) {
    const std::unique_ptr<char, decltype(&std::free)> owned(reason, &std::free);
    return owned ? std::string(owned.get()) : std::string();
}

} // namespace

Result<void> WebSerialPort::abrir() {
    if (std::string reason = taken(serialOpen()); !reason.empty()) {
        return Error{std::move(reason)};
    }
    return {};
}

void WebSerialPort::close() {
    serialClose();
}

Result<std::size_t> WebSerialPort::escribir(std::string_view bytes) {
    if (!taken(serialWrite(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                           static_cast<int>(bytes.size())))
             .empty()) {
        return Error{kLineLostReason};
    }
    return bytes.size();
}

Result<std::string> WebSerialPort::waitForBytes(int timeoutMs) {
    const int waiting = serialWait(timeoutMs);
    if (serialLost() != 0) {
        return Error{kLineLostReason};
    }
    if (waiting <= 0) {
        return std::string();
    }
    std::string bytes(static_cast<std::size_t>(waiting), '\0');
    const int copied = serialTake(reinterpret_cast<std::uint8_t*>(bytes.data()), waiting);
    bytes.resize(static_cast<std::size_t>(copied));
    return bytes;
}

void WebSerialPort::discardInput() {
    serialDiscard();
}

} // namespace lumivel
