#pragma once
#include "transmission/port.hpp"

#include <QSerialPort>
#include <QString>

namespace lumivel {

// The platform's serial port i (0 .. kSerialPortCount - 1): COM1.. on Windows, /dev/ttyS0..
// elsewhere.
QString serialPortDevice(int indice);

// Why a port could not be opened. `accesible`: the user may read and write the device, so a
// refusal means another program holds it (QSerialPort locks the ports it opens), not that a
// group membership is missing. `grupo`: the device's group, empty when unknown.
std::string openFailureReason(QSerialPort::SerialPortError error, bool accesible,
                              const std::string& grupo, const std::string& texto);
// Why an open port failed for good, or nothing when the error is not fatal.
std::optional<std::string> failureReason(QSerialPort::SerialPortError error);

// A serial line through QSerialPort with the sign's fixed settings (kLineBaud, 8 data
// bits, no parity, 1 stop bit), no flow control, DTR on, RTS off. Lives and dies in the
// thread that uses it.
class QtSerialPort : public Port {
  public:
    explicit QtSerialPort(const QString& dispositivo);

    std::string nombre() const override;
    Result<void> abrir() override;
    void cerrar() override;
    Result<void> escribir(std::string_view bytes) override;
    std::string waitForBytes(int milisegundos) override;
    void discardInput() override;
    std::optional<Error> fallo() const override { return fault_; }

  private:
    // Only an error that means the device is gone ends the transfer.
    void checkError();

    QSerialPort port_;
    QString device_;
    std::optional<Error> fault_;
};

} // namespace lumivel
