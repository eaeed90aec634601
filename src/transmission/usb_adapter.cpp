// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/usb_adapter.hpp"

#include <array>
#include <filesystem>
#include <fstream>
#include <utility>

namespace lumivel {
namespace {

namespace fs = std::filesystem;

// The vendors of the serial adapters sold with such signs.
constexpr std::array<std::pair<std::uint16_t, const char*>, 4> kChipFamilies = {{
    {0x0403, "FTDI"},
    {0x067B, "Prolific PL2303"},
    {0x10C4, "Silicon Labs CP210x"},
    {0x1A86, "WCH CH340"},
}};

std::optional<std::uint16_t> readHexFile(const fs::path& path) {
    std::ifstream file(path);
    std::string texto;
    if (!(file >> texto) || texto.empty() || texto.size() > 4) {
        return std::nullopt;
    }
    std::size_t end = 0;
    try {
        const unsigned long value = std::stoul(texto, &end, 16);
        return end == texto.size() ? std::optional(static_cast<std::uint16_t>(value))
                                   : std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

std::string chipFamily(std::uint16_t vendorId) {
    for (const auto& [vendor, family] : kChipFamilies) {
        if (vendor == vendorId) {
            return family;
        }
    }
    return {};
}

std::optional<UsbAdapter> findUsbAdapter(const std::string& device, const std::string& sysRoot) {
    std::error_code error;
    const fs::path resolved = fs::canonical(device, error);
    const std::string tty = (error ? fs::path(device) : resolved).filename().string();
    if (tty.empty()) {
        return std::nullopt;
    }
    const fs::path root(sysRoot);
    // The tty's device is the driver's port (ttyUSB0 of usb-serial, an interface for
    // ttyACM0); the USB device with its identifiers is one of its parents.
    fs::path node = fs::canonical(root / "class" / "tty" / tty / "device", error);
    if (error) {
        return std::nullopt;
    }
    UsbAdapter adapter;
    if (const fs::path timer = node / "latency_timer"; fs::exists(timer, error)) {
        adapter.latencyTimerPath = "/sys/bus/usb-serial/devices/" + tty + "/latency_timer";
    }
    for (int level = 0; level < 6 && node.has_relative_path(); ++level, node = node.parent_path()) {
        const std::optional<std::uint16_t> vendor = readHexFile(node / "idVendor");
        if (vendor) {
            adapter.vendorId = *vendor;
            adapter.productId = readHexFile(node / "idProduct").value_or(0);
            return adapter;
        }
    }
    return std::nullopt;
}

} // namespace lumivel
