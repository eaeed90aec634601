#include "ui/qt_serial_port.hpp"

#include "transmission/port_refusal.hpp"
#include "transmission/protocol.hpp"

#include <QDeadlineTimer>

#include <algorithm>

namespace lumivel {

std::string openFailureReason(QSerialPort::SerialPortError error, bool accesible,
                              const std::string& grupo, const std::string& texto) {
    const DeviceAccess acceso{accesible, grupo};
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return refusalReason(PortRefusal::NotFound, acceso);
    case QSerialPort::PermissionError:
        return refusalReason(PortRefusal::Denied, acceso);
    case QSerialPort::OpenError:
        return refusalReason(PortRefusal::AlreadyOpen, acceso);
    default:
        return texto;
    }
}

std::optional<std::string> failureReason(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        return kLineLostReason;
    default:
        return std::nullopt;
    }
}

QString serialPortDevice(int indice) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(indice + 1);
#else
    return QStringLiteral("/dev/ttyS%1").arg(indice);
#endif
}

QtSerialPort::QtSerialPort(const QString& dispositivo) : device_(dispositivo) {
    port_.setPortName(dispositivo);
}

std::string QtSerialPort::nombre() const {
    return device_.toStdString();
}

Result<void> QtSerialPort::abrir() {
    fault_.reset();
    const std::string device = nombre();
    if (device_.isEmpty()) {
        return Error{"no se ha indicado ningun puerto"};
    }
    if (!port_.open(QIODevice::ReadWrite)) {
        const DeviceAccess datos = deviceAccess(device);
        return Error{openFailureReason(port_.error(), datos.accesible, datos.grupo,
                                       port_.errorString().toStdString()),
                     device};
    }
    const bool listLine = port_.setBaudRate(kLineBaud) && port_.setDataBits(QSerialPort::Data8) &&
                          port_.setParity(QSerialPort::NoParity) &&
                          port_.setStopBits(QSerialPort::OneStop) &&
                          port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!listLine) {
        Error error{"no acepta " + std::to_string(kLineBaud) +
                        " baudios 8N1: " + port_.errorString().toStdString(),
                    device};
        port_.close();
        return error;
    }
    // A pseudo-terminal has no modem lines and refuses both calls; that is not a failure.
    if (!port_.setDataTerminalReady(true) || !port_.setRequestToSend(false)) {
        if (port_.error() != QSerialPort::UnsupportedOperationError) {
            Error error{"no acepta las senales DTR/RTS: " + port_.errorString().toStdString(),
                        device};
            port_.close();
            return error;
        }
    }
    port_.clearError();
    return {};
}

void QtSerialPort::cerrar() {
    if (port_.isOpen()) {
        port_.close();
    }
}

Result<void> QtSerialPort::escribir(std::string_view bytes) {
    if (fault_) {
        return *fault_;
    }
    const auto escritos = port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Without an event loop the bytes leave only when asked to.
    while (escritos >= 0 && port_.bytesToWrite() > 0 && port_.waitForBytesWritten(1000)) {
    }
    checkError();
    if (fault_) {
        return *fault_;
    }
    if (escritos != static_cast<qint64>(bytes.size())) {
        return Error{"solo se escribio parte de los datos", nombre()};
    }
    return {};
}

std::string QtSerialPort::waitForBytes(int milisegundos) {
    if (fault_) {
        return {};
    }
    // waitForReadyRead may return early without data (a wake-up with nothing to read),
    // so keep waiting until the deadline itself has passed.
    const QDeadlineTimer plazo(milisegundos);
    while (port_.bytesAvailable() == 0 && !plazo.hasExpired() && !fault_) {
        port_.waitForReadyRead(static_cast<int>(std::max<qint64>(plazo.remainingTime(), 1)));
        checkError();
    }
    // A port closed by checkError has nothing to read; asking would make Qt warn on stderr.
    if (fault_) {
        return {};
    }
    const QByteArray leido = port_.readAll();
    checkError();
    return leido.toStdString();
}

void QtSerialPort::discardInput() {
    if (port_.isOpen()) {
        port_.clear(QSerialPort::Input);
        port_.readAll();
        checkError();
    }
}

void QtSerialPort::checkError() {
    const auto error = port_.error();
    if (std::optional<std::string> razon = failureReason(error)) {
        fault_ = Error{*razon, nombre()};
        port_.close();
    } else if (error != QSerialPort::NoError) {
        // Time-outs and the like are the protocol's business, not the port's.
        port_.clearError();
    }
}

} // namespace lumivel
