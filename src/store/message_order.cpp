// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/message_order.hpp"

#include <algorithm>
#include <span>
#include <string>

namespace lumivel {
namespace {

constexpr std::size_t kRecordLength = tipomensaje::kRecordLength;

// The file's bytes, looked at in place: only the records used are decoded, so a full file
// costs little more than its one read and one rewrite.
struct Records {
    std::span<std::uint8_t> bytes;
    std::vector<std::size_t> active; // offsets of the active records, in file order

    std::size_t count() const { return bytes.size() / kRecordLength; }
};

Result<Records> readRecords(const MessageFile& file) {
    Records records;
    LUMIVEL_TRY(records.bytes, file.readInPlace());
    for (std::size_t at = 0; at + kRecordLength <= records.bytes.size(); at += kRecordLength) {
        if (recordIsActive(records.bytes.data() + at)) {
            records.active.push_back(at);
        }
    }
    return records;
}

// Index into `active` of the first active record numbered `numero`.
Result<std::size_t> find(const Records& records, int numero, const MessageFile& file) {
    for (std::size_t k = 0; k < records.active.size(); ++k) {
        if (recordNumero(records.bytes.data() + records.active[k]) == numero) {
            return k;
        }
    }
    return Error{"no tiene el mensaje " + std::to_string(numero), file.path()};
}

Result<Records> lockedRead(MessageFile& file) {
    if (file.readOnly()) {
        return Error{"está abierto solo para lectura", file.path()};
    }
    return readRecords(file);
}

Error tooMany(const MessageFile& file) {
    return Error{"no caben más mensajes: el máximo es " + std::to_string(MessageFile::kMaxRecords) +
                     " registros",
                 file.path()};
}

} // namespace

Result<void> moveMessage(MessageFile& file, int numero, int place) {
    FileLock lock(file);
    LUMIVEL_TRY_VOID(lock.taken());
    LUMIVEL_TRY(Records records, lockedRead(file));
    LUMIVEL_TRY(const std::size_t from, find(records, numero, file));
    const auto n = static_cast<int>(records.active.size());
    if (place < 1 || place > n) {
        return Error{"el lugar " + std::to_string(place) + " no existe: hay " + std::to_string(n) +
                         " mensajes",
                     file.path()};
    }
    // In place: the records between shift one active slot towards the one that moves out;
    // deleted records and a partial last one stay where they are.
    const auto slot = [&](std::size_t k) { return records.bytes.data() + records.active[k]; };
    RecordBytes moving{};
    std::copy_n(slot(from), kRecordLength, moving.begin());
    const auto to = static_cast<std::size_t>(place - 1);
    for (std::size_t k = from; k < to; ++k) {
        std::copy_n(slot(k + 1), kRecordLength, slot(k));
    }
    for (std::size_t k = from; k > to; --k) {
        std::copy_n(slot(k - 1), kRecordLength, slot(k));
    }
    std::copy_n(moving.begin(), kRecordLength, slot(to));
    for (std::size_t k = 0; k < records.active.size(); ++k) {
        setRecordNumero(slot(k), static_cast<std::int16_t>(k + 1));
    }
    return file.replaceContent(records.bytes);
}

Result<int> duplicateMessage(MessageFile& file, int numero) {
    FileLock lock(file);
    LUMIVEL_TRY_VOID(lock.taken());
    LUMIVEL_TRY(const Records records, lockedRead(file));
    LUMIVEL_TRY(const std::size_t found, find(records, numero, file));
    const int total = file.count();
    if (total >= MessageFile::kMaxRecords) {
        return tooMany(file);
    }
    tipomensaje copy = decodeRecordAt(records.bytes.data() + records.active[found]);
    copy.numero = static_cast<std::int16_t>(records.active.size() + 1);
    LUMIVEL_TRY_VOID(file.write(total + 1, copy));
    return static_cast<int>(copy.numero);
}

Result<void> appendMessages(MessageFile& file, std::vector<tipomensaje> messages) {
    FileLock lock(file);
    LUMIVEL_TRY_VOID(lock.taken());
    LUMIVEL_TRY(Records records, lockedRead(file));
    if (records.count() + messages.size() > static_cast<std::size_t>(MessageFile::kMaxRecords)) {
        return tooMany(file);
    }
    // The new records go after the last whole one; a partial last record stays at the end.
    std::vector<std::uint8_t> content(
        records.bytes.begin(),
        records.bytes.begin() + static_cast<std::ptrdiff_t>(records.count() * kRecordLength));
    content.reserve(records.bytes.size() + messages.size() * kRecordLength);
    auto numero = static_cast<std::int16_t>(records.active.size());
    for (tipomensaje& m : messages) {
        m.numero = ++numero;
        m.estado = '1';
        const RecordBytes bytes = encodeRecord(m);
        content.insert(content.end(), bytes.begin(), bytes.end());
    }
    content.insert(content.end(),
                   records.bytes.begin() +
                       static_cast<std::ptrdiff_t>(records.count() * kRecordLength),
                   records.bytes.end());
    return file.replaceContent(content);
}

} // namespace lumivel
