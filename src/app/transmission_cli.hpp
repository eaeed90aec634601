// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"
#include "session/lumivel.hpp"
#include "transmission/transmission_image.hpp"

#include <memory>
#include <string>

namespace lumivel::cli {

// A message file opened read-only and its transmission image, built as the transmission
// window builds it after the file was opened in the main window.
struct FileImage {
    std::unique_ptr<Lumivel> lumivel = std::make_unique<Lumivel>();
    TransmissionImage image;
    LoadResult load;
};

// Fails with the file's path and the reason when the file cannot be opened or read.
Result<void> prepareImage(const std::string& path, FileImage& target);

// Bytes as upper-case hexadecimal pairs separated by single spaces.
std::string bytesInHex(const std::string& bytes);

} // namespace lumivel::cli
