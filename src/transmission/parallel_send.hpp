// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "transmission/sign_link.hpp"

#include <vector>

namespace lumivel {

// Sends the same image to every port at once, each on a thread of its own, as a shop
// programs several signs together. Each port is opened, used and closed by its thread;
// one that fails (missing, silent, wrong echoes) never stops the others. The results come
// in the ports' order.
std::vector<SendResult> sendToEach(const std::vector<Port*>& ports, const LoadResult& load,
                                   const TransmissionImage& image, int totaldatos,
                                   int waitMs = kReplyTimeoutMs);

} // namespace lumivel
