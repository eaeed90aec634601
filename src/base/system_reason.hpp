// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace lumivel {

// The system's reason for errno value `error`, in Spanish, for the windows and the command
// line alike: the C library's own texts follow the locale, which is English here.
std::string systemReason(int error);

} // namespace lumivel
