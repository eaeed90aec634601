// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>

// Entry points shared by the libFuzzer executables and the corpus replay test. Each
// accepts any bytes; a broken invariant prints what broke and aborts.
namespace lumivel::fuzz {

// The input is a message file followed by a script of list operations:
//   [length: 2 bytes, little-endian] [that many file bytes] [operations...]
// The file is opened, every record read, the list filled, then the operations run.
void runMessageFile(const std::uint8_t* data, std::size_t size);

// The input is what arrives on the line, optionally preceded by a fault of the virtual
// sign: "<fault>\n" when the first byte is '!' (e.g. "!corrupt:3\n...").
void runSignDecoder(const std::uint8_t* data, std::size_t size);

} // namespace lumivel::fuzz
