// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace lumivel {

// Memory for whole-file reads, mapped with every page present at once: on some systems
// faulting the pages of a full file in one by one costs more than reading it.
class ReadBuffer {
  public:
    ReadBuffer() = default;
    ~ReadBuffer();
    ReadBuffer(const ReadBuffer&) = delete;
    ReadBuffer& operator=(const ReadBuffer&) = delete;
    // At least `size` bytes, kept for the next call; empty when no memory is left.
    std::span<std::uint8_t> room(std::size_t size);

  private:
    std::uint8_t* data_ = nullptr;
    std::size_t capacity_ = 0;
};

} // namespace lumivel
