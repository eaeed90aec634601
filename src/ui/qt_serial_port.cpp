#include "ui/qt_serial_port.hpp"

#include "transmission/protocol.hpp"

#include <QDeadlineTimer>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#endif

namespace lumivel {
namespace {

// Who may open the device, so the message can tell the user which group to join.
std::string grupoDelDispositivo(const QString& dispositivo) {
#ifdef Q_OS_UNIX
    struct stat datos {};
    const QString ruta = QFileInfo(dispositivo).canonicalFilePath();
    if (!ruta.isEmpty() && ::stat(ruta.toLocal8Bit().constData(), &datos) == 0) {
        if (const group* grupo = ::getgrgid(datos.st_gid)) {
            return grupo->gr_name;
        }
    }
    return "dialout";
#else
    Q_UNUSED(dispositivo);
    return {};
#endif
}

std::string razonDeApertura(QSerialPort::SerialPortError error, const QString& dispositivo,
                            const QString& texto) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return "el dispositivo no existe";
    case QSerialPort::PermissionError: {
        const std::string grupo = grupoDelDispositivo(dispositivo);
        std::string razon = "permiso denegado o el puerto esta en uso por otro programa";
        if (!grupo.empty()) {
            razon += " (su usuario debe pertenecer al grupo \"" + grupo +
                     "\"; tras agregarlo vuelva a iniciar la sesion)";
        }
        return razon;
    }
    case QSerialPort::OpenError:
        return "el puerto ya esta abierto";
    default:
        return texto.toStdString();
    }
}

} // namespace

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
        return Error{razonDeApertura(port_.error(), device_, port_.errorString()), device};
    }
    const bool lineaLista = port_.setBaudRate(kLineBaud) && port_.setDataBits(QSerialPort::Data8) &&
                            port_.setParity(QSerialPort::NoParity) &&
                            port_.setStopBits(QSerialPort::OneStop) &&
                            port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!lineaLista) {
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
    const QByteArray leido = port_.readAll();
    checkError();
    return leido.toStdString();
}

void QtSerialPort::checkError() {
    const auto error = port_.error();
    if (error == QSerialPort::ResourceError || error == QSerialPort::WriteError ||
        error == QSerialPort::ReadError) {
        fault_ = Error{port_.errorString().toStdString(), nombre()};
        port_.close();
    } else if (error != QSerialPort::NoError) {
        // Time-outs and the like are the protocol's business, not the port's.
        port_.clearError();
    }
}

} // namespace lumivel
