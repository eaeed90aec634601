#pragma once
#include "transmission/port.hpp"
#include "transmission/sign_link.hpp"
#include "transmission/transmission_image.hpp"

#include <QString>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

namespace lumivel {

// Creates a port for a device name; called on the transfer's own thread.
using FabricaPuerto = std::function<std::unique_ptr<Port>(const QString& dispositivo)>;
// QtSerialPort, the real line.
FabricaPuerto fabricaPuertoSerie();

// Runs the "Enviar" transfer off the window's thread: the port is created, used and closed
// here. Progress reaches the window through queued signals, at most a few dozen a second.
class TransferThread : public QThread {
    Q_OBJECT
  public:
    TransferThread(FabricaPuerto fabrica, QString dispositivo, const ImagenTransmision& imagen,
                   ResultadoCarga carga, int totaldatos, int esperaMs, QObject* parent = nullptr);

    // Valid once finished() has been emitted. The acquire pairs with the release at the end of
    // run(), so the hand-over is ordered in C++ terms and not only by Qt's event queue, whose
    // locking ThreadSanitizer cannot see.
    const ResultadoEnvio& resultado() const {
        static_cast<void>(terminado_.load(std::memory_order_acquire));
        return resultado_;
    }
    const ResultadoCarga& carga() const { return carga_; }
    const QString& dispositivo() const { return dispositivo_; }
    // Ends the transfer before its next byte; safe from any thread.
    void interrumpir() { interrumpir_ = true; }
    bool interrumpido() const { return interrumpir_; }

  signals:
    void conectado();
    void maximo(int totaldatos);
    void progreso(int indice);
    void errorDeDatos();

  protected:
    void run() override;

  private:
    FabricaPuerto fabrica_;
    QString dispositivo_;
    ImagenTransmision imagen_;
    ResultadoCarga carga_;
    int totaldatos_;
    int esperaMs_;
    ResultadoEnvio resultado_;
    std::atomic<bool> terminado_{false};
    std::atomic<bool> interrumpir_{false};
};

} // namespace lumivel
