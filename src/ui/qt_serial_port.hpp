#pragma once
#include "transmission/port.hpp"

#include <QSerialPort>
#include <QString>

namespace lumivel {

// The platform's serial port i (0 .. kSerialPortCount - 1): COM1.. on Windows, /dev/ttyS0..
// elsewhere.
QString serialPortDevice(int index);

// Why a port could not be opened. `accessible`: the user may read and write the device, so a
// refusal means another program holds it (QSerialPort locks the ports it opens), not that a
// group membership is missing. `group`: the device's group, empty when unknown.
std::string openFailureReason(QSerialPort::SerialPortError error, bool accessible,
                              const std::string& group, const std::string& texto);
// Why an open port failed for good, or nothing when the error is not fatal.
std::optional<std::string> failureReason(QSerialPort::SerialPortError error);

// A serial line through QSerialPort with the sign's fixed settings (kLineBaud, 8 data
// bits, no parity, 1 stop bit), no flow control, DTR on, RTS off. Lives and dies in the
// thread that uses it.
class QtSerialPort : public Port {
  public:
    explicit QtSerialPort(const QString& device);

    std::string name() const override;
    Result<void> abrir() override;
    void close() override;
    Result<void> escribir(std::string_view bytes) override;
    std::string waitForBytes(int timeoutMs) override;
    void discardInput() override;
    std::optional<Error> fault() const override { return fault_; }

  private:
    // Only an error that means the device is gone ends the transfer.
    void checkError();

    QSerialPort port_;
    QString device_;
    std::optional<Error> fault_;
};

} // namespace lumivel
