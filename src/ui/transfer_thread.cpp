#include "ui/transfer_thread.hpp"

#include "ui/qt_serial_port.hpp"

#include <QElapsedTimer>

namespace lumivel {
namespace {

// Sends progress on at most every 30 ms, and always the last byte.
class ObservadorHilo : public ObservadorEnvio {
  public:
    explicit ObservadorHilo(TransferThread& hilo) : hilo_(hilo) { reloj_.start(); }

    void conectado() override { emit hilo_.conectado(); }
    void maximo(int totaldatos) override {
        total_ = totaldatos;
        emit hilo_.maximo(totaldatos);
    }
    void progreso(int i) override {
        if (i >= total_ || reloj_.elapsed() >= 30) {
            reloj_.restart();
            emit hilo_.progreso(i);
        }
    }
    void errorDeDatos() override { emit hilo_.errorDeDatos(); }
    bool interrumpir() override { return hilo_.interrumpido(); }

  private:
    TransferThread& hilo_;
    QElapsedTimer reloj_;
    int total_ = 0;
};

} // namespace

FabricaPuerto fabricaPuertoSerie() {
    return [](const QString& dispositivo) { return std::make_unique<QtSerialPort>(dispositivo); };
}

TransferThread::TransferThread(FabricaPuerto fabrica, QString dispositivo,
                               const ImagenTransmision& imagen, ResultadoCarga carga,
                               int totaldatos, int esperaMs, QObject* parent)
    : QThread(parent), fabrica_(std::move(fabrica)), dispositivo_(std::move(dispositivo)),
      imagen_(imagen), carga_(std::move(carga)), totaldatos_(totaldatos), esperaMs_(esperaMs) {}

void TransferThread::run() {
    std::unique_ptr<Port> puerto = fabrica_(dispositivo_);
    ObservadorHilo observador(*this);
    resultado_ = enviarImagen(*puerto, carga_, imagen_, totaldatos_, observador, esperaMs_);
    terminado_.store(true, std::memory_order_release);
}

} // namespace lumivel
