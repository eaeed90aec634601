// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"

#include <string>

namespace lumivel {

// The folder of the scratch message files, in the user's own state folder
// ($XDG_STATE_HOME/simlumivel, by default ~/.local/state/simlumivel), created (mode 0700)
// when missing; refused when it belongs to another user.
Result<std::string> scratchFolder();

} // namespace lumivel
