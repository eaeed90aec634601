#include "ui/transfer_thread.hpp"

#include "transmission/posix_serial_port.hpp"
#include "ui/qt_serial_port.hpp"

#include <QElapsedTimer>

namespace lumivel {
namespace {

// Sends progress on at most every 30 ms, and always the last byte.
class ThreadObserver : public TransferObserver {
  public:
    explicit ThreadObserver(TransferThread& hilo) : thread_(hilo) { clock_.start(); }

    void connected() override { emit thread_.connected(); }
    void setMaximum(int totaldatos) override {
        total_ = totaldatos;
        emit thread_.setMaximum(totaldatos);
    }
    void progress(int i) override {
        if (i >= total_ || clock_.elapsed() >= 30) {
            clock_.restart();
            emit thread_.progress(i);
        }
    }
    void dataError() override { emit thread_.dataError(); }
    bool shouldStop() override { return thread_.interrumpido(); }

  private:
    TransferThread& thread_;
    QElapsedTimer clock_;
    int total_ = 0;
};

} // namespace

PortFactory serialPortFactory() {
    return [](const QString& dispositivo) -> std::unique_ptr<Port> {
#ifdef Q_OS_LINUX
        return std::make_unique<PosixSerialPort>(dispositivo.toStdString());
#else
        return std::make_unique<QtSerialPort>(dispositivo);
#endif
    };
}

TransferThread::TransferThread(PortFactory fabrica, QString dispositivo,
                               const TransmissionImage& imagen, LoadResult carga, int totaldatos,
                               int esperaMs, QObject* parent)
    : QThread(parent), factory_(std::move(fabrica)), device_(std::move(dispositivo)),
      image_(imagen), load_(std::move(carga)), totaldatos_(totaldatos), replyTimeoutMs_(esperaMs) {}

void TransferThread::run() {
    std::unique_ptr<Port> puerto = factory_(device_);
    ThreadObserver observador(*this);
    result_ = sendImage(*puerto, load_, image_, totaldatos_, observador, replyTimeoutMs_);
    finished_.store(true, std::memory_order_release);
}

} // namespace lumivel
