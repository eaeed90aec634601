// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"
#include "store/message_record.hpp"

#include <string_view>
#include <vector>

namespace lumivel {

// Reads the messages of a JSON array as `list --json` prints it: objects with the keys
// "presentacion", "letra", "kind" and "texto" (UTF-8; a picture's 128 hexadecimal digits),
// and optionally "position", "numero" and "estado". Entries whose "estado" is not "1" are
// skipped; position and numero are not kept. The reading is strict: any other key, a
// value out of range or a text the sign cannot hold fails, naming the entry (counted
// from 1) and the field. The messages returned are numbered 0: the file numbers them.
Result<std::vector<tipomensaje>> readMessageList(std::string_view json);

} // namespace lumivel
