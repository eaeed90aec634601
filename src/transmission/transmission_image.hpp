// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"
#include "store/message_record.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace lumivel {

struct MessageStore;

// The transmission image: every active message of the open message file as one byte list,
// built when the transmission window loads.
struct TransmissionImage {
    static constexpr int kCapacity = 8192;
    // The highest index, shown to the user as the capacity ("8191 Disponibles").
    static constexpr int kLastIndex = kCapacity - 1;

    // One image byte (0..255) per used slot.
    std::array<std::int16_t, kCapacity> datos{};
    // After a build: the index of the last slot written.
    std::int16_t ndatos = 0;
};

// What the last load of the window left to send.
enum class ImageState {
    Ready,         // a completed build with at least one active message
    NothingToSend, // no message file open, or no active message in it
    TooLarge,      // the messages need more than kCapacity slots; nothing was written
    ReadError,     // a record could not be read; nothing was written
};

struct LoadResult {
    ImageState estado = ImageState::NothingToSend;
    // Slots the image needs (last index + 1), also when it does not fit.
    int bytesNeeded = 0;
    // Active messages found by the build.
    int activeMessages = 0;
    // ErrorLectura: the file's path and why a record could not be read.
    std::optional<Error> error;
};

// Builds the image from the records of the open message file, read one by one into
// `mensaje`, whatever `mensaje` and `totalmensajes` held before. Skipped (nothing
// written) when no file is open. Only a completed build writes `datos`, `ndatos` and
// `totaldatos`; a build that would not fit writes none of them.
LoadResult cargarcomm(MessageStore& store, TransmissionImage& image, std::int16_t& totaldatos);

// The slots an image of the active messages `activeRecords` needs, counted as a load counts
// them (LoadResult::bytesNeeded), with nothing written: to tell ahead whether it will fit.
int imageBytesNeeded(const std::vector<tipomensaje>& activeRecords);

} // namespace lumivel
