#include "transmission/parallel_send.hpp"

#include <thread>

namespace lumivel {

std::vector<SendResult> sendToEach(const std::vector<Port*>& puertos, const LoadResult& carga,
                                   const TransmissionImage& imagen, int totaldatos, int esperaMs) {
    // Each thread writes only its own slot; the image and load result are only read.
    std::vector<SendResult> resultados(puertos.size());
    std::vector<std::thread> hilos;
    hilos.reserve(puertos.size());
    for (std::size_t i = 0; i < puertos.size(); ++i) {
        hilos.emplace_back([&, i] {
            TransferObserver sinProgreso;
            resultados[i] =
                sendImage(*puertos[i], carga, imagen, totaldatos, sinProgreso, esperaMs);
        });
    }
    for (std::thread& hilo : hilos) {
        hilo.join();
    }
    return resultados;
}

} // namespace lumivel
