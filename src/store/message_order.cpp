#include "store/message_order.hpp"

#include <algorithm>
#include <string>

namespace lumivel {
namespace {

struct Records {
    std::vector<tipomensaje> all;
    std::vector<std::size_t> active; // indices into `all`, in file order
};

Result<Records> readRecords(const MessageFile& file) {
    Result<std::vector<tipomensaje>> all = file.readRecords();
    if (!all.ok()) {
        return all.error();
    }
    Records records;
    records.all = std::move(all.value());
    for (std::size_t i = 0; i < records.all.size(); ++i) {
        if (records.all[i].isActive()) {
            records.active.push_back(i);
        }
    }
    return records;
}

// Index into `active` of the first active record numbered `numero`.
Result<std::size_t> find(const Records& records, int numero, const MessageFile& file) {
    for (std::size_t k = 0; k < records.active.size(); ++k) {
        if (records.all[records.active[k]].numero == numero) {
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
    if (!lock.taken().ok()) {
        return lock.taken();
    }
    Result<Records> read = lockedRead(file);
    if (!read.ok()) {
        return read.error();
    }
    Records& records = read.value();
    const Result<std::size_t> from = find(records, numero, file);
    if (!from.ok()) {
        return from.error();
    }
    const auto n = static_cast<int>(records.active.size());
    if (place < 1 || place > n) {
        return Error{"el lugar " + std::to_string(place) + " no existe: hay " + std::to_string(n) +
                         " mensajes",
                     file.path()};
    }
    std::vector<tipomensaje> order;
    order.reserve(records.active.size());
    for (std::size_t index : records.active) {
        order.push_back(records.all[index]);
    }
    const auto moved = order.begin() + static_cast<std::ptrdiff_t>(from.value());
    const auto target = order.begin() + (place - 1);
    if (moved < target) {
        std::rotate(moved, moved + 1, target + 1);
    } else {
        std::rotate(target, moved, moved + 1);
    }
    for (std::size_t k = 0; k < order.size(); ++k) {
        order[k].numero = static_cast<std::int16_t>(k + 1);
        records.all[records.active[k]] = order[k];
    }
    return file.replaceAll(records.all);
}

Result<int> duplicateMessage(MessageFile& file, int numero) {
    FileLock lock(file);
    if (!lock.taken().ok()) {
        return lock.taken().error();
    }
    const Result<Records> read = lockedRead(file);
    if (!read.ok()) {
        return read.error();
    }
    const Records& records = read.value();
    const Result<std::size_t> found = find(records, numero, file);
    if (!found.ok()) {
        return found.error();
    }
    const int total = file.count();
    if (total >= MessageFile::kMaxRecords) {
        return tooMany(file);
    }
    tipomensaje copy = records.all[records.active[found.value()]];
    copy.numero = static_cast<std::int16_t>(records.active.size() + 1);
    if (Result<void> written = file.write(total + 1, copy); !written.ok()) {
        return written.error();
    }
    return static_cast<int>(copy.numero);
}

Result<void> appendMessages(MessageFile& file, std::vector<tipomensaje> mensajes) {
    FileLock lock(file);
    if (!lock.taken().ok()) {
        return lock.taken();
    }
    Result<Records> read = lockedRead(file);
    if (!read.ok()) {
        return read.error();
    }
    Records& records = read.value();
    if (records.all.size() + mensajes.size() > static_cast<std::size_t>(MessageFile::kMaxRecords)) {
        return tooMany(file);
    }
    auto numero = static_cast<std::int16_t>(records.active.size());
    for (tipomensaje& m : mensajes) {
        m.numero = ++numero;
        m.estado = '1';
        records.all.push_back(std::move(m));
    }
    return file.replaceAll(records.all);
}

} // namespace lumivel
