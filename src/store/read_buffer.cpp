// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/read_buffer.hpp"

#include "store/message_record.hpp"

#include <sys/mman.h>

namespace lumivel {

ReadBuffer::~ReadBuffer() {
    if (data_ != nullptr) {
        ::munmap(data_, capacity_);
    }
}

std::span<std::uint8_t> ReadBuffer::room(std::size_t size) {
    if (size <= capacity_) {
        return {data_, capacity_};
    }
    // Some room to grow, so a file that gains a few records is not mapped again.
    const std::size_t wanted = size + size / 8 + 64 * tipomensaje::kRecordLength;
    void* mapped = ::mmap(nullptr, wanted, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (mapped == MAP_FAILED) {
        return {};
    }
    if (data_ != nullptr) {
        ::munmap(data_, capacity_);
    }
    data_ = static_cast<std::uint8_t*>(mapped);
    capacity_ = wanted;
    return {data_, capacity_};
}

} // namespace lumivel
