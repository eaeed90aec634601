#include "ui/qt_serial_port.hpp"

#include "transmission/port_refusal.hpp"
#include "transmission/protocol.hpp"

#include <QDeadlineTimer>

#include <algorithm>

namespace lumivel {

std::string openFailureReason(QSerialPort::SerialPortError error, bool accessible,
                              const std::string& group, const std::string& texto) {
    const DeviceAccess access{accessible, group};
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return refusalReason(PortRefusal::NotFound, access);
    case QSerialPort::PermissionError:
        return refusalReason(PortRefusal::Denied, access);
    case QSerialPort::OpenError:
        return refusalReason(PortRefusal::AlreadyOpen, access);
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

QString serialPortDevice(int index) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(index + 1);
#else
    return QStringLiteral("/dev/ttyS%1").arg(index);
#endif
}

QtSerialPort::QtSerialPort(const QString& device) : device_(device) {
    port_.setPortName(device);
}

std::string QtSerialPort::name() const {
    return device_.toStdString();
}

Result<void> QtSerialPort::abrir() {
    fault_.reset();
    const std::string device = name();
    if (device_.isEmpty()) {
        return Error{"no se ha indicado ningún puerto"};
    }
    if (!port_.open(QIODevice::ReadWrite)) {
        // QSerialPort tells a file that is no serial line as missing or by the system's
        // English text; the file itself says what it is.
        if (notSerialLine(devicePath(device))) {
            return Error{refusalReason(PortRefusal::NotSerial, {}), device};
        }
        const DeviceAccess info = deviceAccess(device);
        return Error{openFailureReason(port_.error(), info.accessible, info.group,
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

void QtSerialPort::close() {
    if (port_.isOpen()) {
        port_.close();
    }
}

Result<void> QtSerialPort::escribir(std::string_view bytes) {
    if (fault_) {
        return *fault_;
    }
    const auto written = port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Without an event loop the bytes leave only when asked to.
    while (written >= 0 && port_.bytesToWrite() > 0 && port_.waitForBytesWritten(1000)) {
    }
    checkError();
    if (fault_) {
        return *fault_;
    }
    if (written != static_cast<qint64>(bytes.size())) {
        return Error{"solo se escribio parte de los datos", name()};
    }
    return {};
}

std::string QtSerialPort::waitForBytes(int timeoutMs) {
    if (fault_) {
        return {};
    }
    // waitForReadyRead may return early without data (a wake-up with nothing to read),
    // so keep waiting until the deadline itself has passed.
    const QDeadlineTimer deadline(timeoutMs);
    while (port_.bytesAvailable() == 0 && !deadline.hasExpired() && !fault_) {
        port_.waitForReadyRead(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)));
        checkError();
    }
    // A port closed by checkError has nothing to read; asking would make Qt warn on stderr.
    if (fault_) {
        return {};
    }
    const QByteArray data = port_.readAll();
    checkError();
    return data.toStdString();
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
    if (std::optional<std::string> reason = failureReason(error)) {
        fault_ = Error{*reason, name()};
        port_.close();
    } else if (error != QSerialPort::NoError) {
        // Time-outs and the like are the protocol's business, not the port's.
        port_.clearError();
    }
}

} // namespace lumivel
