// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/transfer_thread.hpp"

#include "transmission/posix_serial_port.hpp"

#include <QElapsedTimer>

namespace lumivel {
namespace {

// Sends progress on at most every 30 ms, and always the last byte.
class ThreadObserver : public TransferObserver {
  public:
    explicit ThreadObserver(TransferThread& thread) : thread_(thread) { clock_.start(); }

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
    void measured(const LinkMeasurement& link) override { emit thread_.measured(link); }
    void timeLeft(int seconds) override { emit thread_.timeLeft(seconds); }
    bool shouldStop() override { return thread_.interrupted(); }

  private:
    TransferThread& thread_;
    QElapsedTimer clock_;
    int total_ = 0;
};

} // namespace

PortFactory serialPortFactory() {
    return [](const QString& device) -> std::unique_ptr<Port> {
        return std::make_unique<PosixSerialPort>(device.toStdString());
    };
}

TransferThread::TransferThread(PortFactory factory, QString device, const TransmissionImage& image,
                               LoadResult load, int totaldatos, int waitMs, QObject* parent)
    : QThread(parent), factory_(std::move(factory)), device_(std::move(device)), image_(image),
      load_(std::move(load)), totaldatos_(totaldatos), replyTimeoutMs_(waitMs) {}

void TransferThread::run() {
    std::unique_ptr<Port> port = factory_(device_);
    ThreadObserver observer(*this);
    result_ = sendImage(*port, load_, image_, totaldatos_, observer, replyTimeoutMs_);
    finished_.store(true, std::memory_order_release);
}

} // namespace lumivel
