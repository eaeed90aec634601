// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/command.hpp"

namespace lumivel::cli {

Result<int> imageCommand(const std::vector<std::string>& args, Streams streams);

} // namespace lumivel::cli
