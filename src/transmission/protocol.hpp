// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

namespace lumivel {

// The link to the sign as both ends see it: the sender (sign_link, transmission_image)
// writes what the virtual sign's decoder reads, so neither keeps its own copy.

// The line: 9600 baud, 8 data bits, no parity, one stop bit.
inline constexpr int kLineBaud = 9600;

// The sender asks with "c"; a sign that is ready answers "c".
inline constexpr std::uint8_t kConnectionRequest = 'c';

// Image bytes per block; a header goes before each block.
inline constexpr int kBlockSize = 255;

// The header before block `block`: 0x77 ('w'), 0xFF, the block number's low byte, 0, 0.
constexpr std::array<std::uint8_t, 5> blockHeader(int block) {
    return {0x77, 0xFF, static_cast<std::uint8_t>(block & 0xFF), 0x00, 0x00};
}

// In the image, a picture starts with this byte twice (presentation and font), followed by
// its columns; a text starts with its presentation and font, followed by its characters.
inline constexpr std::uint8_t kPictureMark = 0xFF;
// Ends every message. Where the next message would start it ends the image instead, and
// one more follows it.
inline constexpr std::uint8_t kMessageEnd = 0x00;

} // namespace lumivel
