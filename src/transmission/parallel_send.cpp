// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/parallel_send.hpp"

#include <thread>

namespace lumivel {

std::vector<SendResult> sendToEach(const std::vector<Port*>& ports, const LoadResult& load,
                                   const TransmissionImage& image, int totaldatos, int waitMs) {
    // Each thread writes only its own slot; the image and load result are only read.
    std::vector<SendResult> results(ports.size());
    std::vector<std::thread> threads;
    threads.reserve(ports.size());
    for (std::size_t i = 0; i < ports.size(); ++i) {
        threads.emplace_back([&, i] {
            TransferObserver noProgress;
            results[i] = sendImage(*ports[i], load, image, totaldatos, noProgress, waitMs);
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    return results;
}

} // namespace lumivel
