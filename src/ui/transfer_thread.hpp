// SPDX-License-Identifier: GPL-3.0-or-later
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
using PortFactory = std::function<std::unique_ptr<Port>(const QString& device)>;
// The real line: PosixSerialPort, whose exchange costs a few system calls.
PortFactory serialPortFactory();

// Runs the "Enviar" transfer off the window's thread: the port is created, used and closed
// here. Progress reaches the window through queued signals, at most a few dozen a second.
class TransferThread : public QThread {
    Q_OBJECT
  public:
    TransferThread(PortFactory factory, QString device, const TransmissionImage& image,
                   LoadResult load, int totaldatos, int waitMs, QObject* parent = nullptr);

    // Valid once finished() has been emitted. The acquire pairs with the release at the end of
    // run(), so the hand-over is ordered in C++ terms and not only by Qt's event queue, whose
    // locking ThreadSanitizer cannot see.
    const SendResult& result() const {
        static_cast<void>(finished_.load(std::memory_order_acquire));
        return result_;
    }
    const LoadResult& load() const { return load_; }
    const QString& device() const { return device_; }
    // Ends the transfer before its next byte; safe from any thread.
    void shouldStop() { stopRequested_ = true; }
    bool interrupted() const { return stopRequested_; }

  signals:
    void connected();
    void setMaximum(int totaldatos);
    void progress(int index);
    void dataError();
    void measured(const lumivel::LinkMeasurement& link);
    void timeLeft(int seconds);

  protected:
    void run() override;

  private:
    PortFactory factory_;
    QString device_;
    TransmissionImage image_;
    LoadResult load_;
    int totaldatos_;
    int replyTimeoutMs_;
    SendResult result_;
    std::atomic<bool> finished_{false};
    std::atomic<bool> stopRequested_{false};
};

} // namespace lumivel
