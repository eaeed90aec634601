// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace lumivel {

// 8191 as "8.191": Spanish groups thousands with a point.
std::string withThousands(int n);

// The slots an image of `bytesNeeded` uses against what the sign holds, both counted as the
// transmission window shows them (last index): "2.140 de 8.191 bytes".
std::string imageUsage(int bytesNeeded);

} // namespace lumivel
