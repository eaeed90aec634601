// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/command.hpp"

namespace lumivel::cli {

// move ARCHIVO N M and duplicate ARCHIVO N: both print the numbering that results.
Result<int> moveCommand(const std::vector<std::string>& args, Streams streams);
Result<int> duplicateCommand(const std::vector<std::string>& args, Streams streams);

} // namespace lumivel::cli
