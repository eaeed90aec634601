// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/command.hpp"

namespace lumivel::cli {

// Exit 0 when every message reaches the sign as written and the image fits, 1 otherwise.
Result<int> checkCommand(const std::vector<std::string>& args, Streams streams);

} // namespace lumivel::cli
