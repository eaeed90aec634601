// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lumivel {

// Reads a whole regular file of at most `limit` bytes. Opened without blocking and checked
// on the descriptor, so a FIFO, a device or a folder is refused instead of waited on.
// Reasons are Spanish; the error names the file.
Result<std::vector<std::uint8_t>> readRegularFile(const std::string& path, std::size_t limit);

// Replaces `path` with `bytes` as a whole: written beside it, synced and renamed into place,
// so a failure leaves whatever was there and no temporary. A symbolic link keeps pointing
// where it did and its target gets the bytes; anything there that is not a regular file is
// refused before writing. `what` names the contents in the reason ("la imagen PNG").
Result<void> replaceWholeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                              const std::string& what);

} // namespace lumivel
