// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/serial_devices.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace lumivel {
namespace {

constexpr std::array<std::string_view, 3> kKinds = {"ttyUSB", "ttyACM", "ttyS"};

// The number after the kind's prefix; -1 when the rest is not a number.
long numberAfter(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() == prefix.size() ||
        name.size() > prefix.size() + 6) {
        return -1;
    }
    const std::string_view digits = name.substr(prefix.size());
    if (!std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; })) {
        return -1;
    }
    return std::stol(std::string(digits));
}

// A board port without hardware says type 0; where sysfs says nothing the port is kept.
bool hasHardware(const std::string& name, const std::string& sysRoot) {
    std::ifstream type(std::filesystem::path(sysRoot) / "class" / "tty" / name / "type");
    int value = -1;
    return !(type >> value) || value != 0;
}

} // namespace

std::vector<std::string> serialDevices(const std::string& devFolder, const std::string& sysRoot) {
    std::vector<std::pair<std::size_t, std::pair<long, std::string>>> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(devFolder, error)) {
        const std::string name = entry.path().filename().string();
        for (std::size_t kind = 0; kind < kKinds.size(); ++kind) {
            const long n = numberAfter(name, kKinds.at(kind));
            if (n >= 0 && (kKinds.at(kind) != "ttyS" || hasHardware(name, sysRoot))) {
                found.push_back({kind, {n, entry.path().string()}});
            }
        }
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> devices;
    devices.reserve(found.size());
    for (const auto& [kind, numbered] : found) {
        devices.push_back(numbered.second);
    }
    return devices;
}

} // namespace lumivel
