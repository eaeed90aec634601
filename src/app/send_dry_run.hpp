// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/command.hpp"

#include <string>
#include <vector>

namespace lumivel::cli {

// `send --dry-run`: the connection request on `device` and its round trip only, nothing
// written to the sign's memory; then the estimate for the file in `files` (or for a full
// sign) and, for a slow line, the advice. Exit 0 when the sign answers.
Result<int> sendDryRun(const std::string& device, const std::vector<std::string>& files, int waitMs,
                       Streams streams);

} // namespace lumivel::cli
