#include "transmission/posix_serial_port.hpp"
#include "ui/qt_serial_port.hpp"

#include <QtTest>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

using namespace lumivel;

namespace {

// A pseudo-terminal standing in for a sign: the test writes and hangs up on the master side.
struct Pty {
    int master = -1;
    int slave = -1;
    QString ruta;
    Pty() {
        char nombre[256] = {};
        if (::openpty(&master, &slave, nombre, nullptr, nullptr) == 0) {
            ruta = QString::fromLocal8Bit(nombre);
        }
    }
    ~Pty() {
        colgar();
        if (slave >= 0) {
            ::close(slave);
        }
    }
    void colgar() {
        if (master >= 0) {
            ::close(master);
            master = -1;
        }
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;
};

bool contiene(const std::string& texto, const char* parte) {
    return texto.find(parte) != std::string::npos;
}

// Both ports behave alike towards a line; the rows of each test pick one.
std::unique_ptr<Port> puertoDe(const QString& clase, const QString& ruta) {
    if (clase == "posix") {
        return std::make_unique<PosixSerialPort>(ruta.toStdString());
    }
    return std::make_unique<QtSerialPort>(ruta);
}

void ambosPuertos() {
    QTest::addColumn<QString>("clase");
    QTest::newRow("QSerialPort") << "qt";
    QTest::newRow("POSIX") << "posix";
}

} // namespace

class SerialPortsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        // The port's failures are reported through its errors, never as Qt warnings.
        QTest::failOnWarning(QRegularExpression(".*"));
    }

    void openRefusalNamesTheCause_data() {
        QTest::addColumn<QSerialPort::SerialPortError>("error");
        QTest::addColumn<bool>("accesible");
        QTest::addColumn<QString>("grupo");
        QTest::addColumn<QString>("esperado");
        QTest::addColumn<QString>("nunca");
        QTest::newRow("held by another program") << QSerialPort::PermissionError << true << "root"
                                                 << "en uso por otro programa"
                                                 << "grupo";
        QTest::newRow("group missing") << QSerialPort::PermissionError << false << "dialout"
                                       << "grupo \"dialout\""
                                       << "en uso";
        QTest::newRow("root only") << QSerialPort::PermissionError << false << "root"
                                   << "permiso denegado"
                                   << "grupo";
        QTest::newRow("no such device") << QSerialPort::DeviceNotFoundError << true << ""
                                        << "no existe"
                                        << "grupo";
    }
    void openRefusalNamesTheCause() {
        QFETCH(QSerialPort::SerialPortError, error);
        QFETCH(bool, accesible);
        QFETCH(QString, grupo);
        QFETCH(QString, esperado);
        QFETCH(QString, nunca);
        const std::string razon =
            openFailureReason(error, accesible, grupo.toStdString(), "texto de Qt");
        QVERIFY2(contiene(razon, esperado.toUtf8().constData()), razon.c_str());
        QVERIFY2(!contiene(razon, nunca.toUtf8().constData()), razon.c_str());
    }

    void portHeldByAnotherIsInUse_data() { ambosPuertos(); }
    void portHeldByAnotherIsInUse() {
        QFETCH(QString, clase);
        Pty pty;
        QVERIFY(!pty.ruta.isEmpty());
        const auto primero = puertoDe(clase, pty.ruta);
        QVERIFY(primero->abrir().ok());
        const auto segundo = puertoDe(clase, pty.ruta);
        const Result<void> isOpenNow = segundo->abrir();
        QVERIFY(!isOpenNow.ok());
        QVERIFY2(contiene(isOpenNow.error().reason, "en uso por otro programa"),
                 isOpenNow.error().reason.c_str());
    }

    // A pseudo-terminal refuses the low-latency request; opening goes on without it.
    void staleInputIsDiscarded_data() { ambosPuertos(); }
    void staleInputIsDiscarded() {
        QFETCH(QString, clase);
        Pty pty;
        QVERIFY(!requestLowLatency(pty.slave));
        const auto abierto = puertoDe(clase, pty.ruta);
        Port& puerto = *abierto;
        QVERIFY(puerto.abrir().ok());
        QCOMPARE(::write(pty.master, "zz", 2), 2);
        QTest::qWait(20); // the line discipline hands the bytes to the input
        puerto.discardInput();
        QCOMPARE(::write(pty.master, "c", 1), 1);
        QCOMPARE(puerto.waitForBytes(2000), std::string("c"));
    }

    void signHangingUpIsNamed_data() { ambosPuertos(); }
    void signHangingUpIsNamed() {
        QFETCH(QString, clase);
        Pty pty;
        const auto abierto = puertoDe(clase, pty.ruta);
        Port& puerto = *abierto;
        QVERIFY(puerto.abrir().ok());
        pty.colgar();
        // Whichever call notices first, the port ends up failed for good with the cause.
        QVERIFY(!puerto.escribir("c").ok() || puerto.waitForBytes(500).empty());
        puerto.waitForBytes(500);
        QVERIFY(puerto.fallo());
        QCOMPARE(puerto.fallo()->reason,
                 std::string("el letrero se desconectó durante la transmisión"));
        QVERIFY(!puerto.escribir("c").ok());
        QVERIFY(puerto.waitForBytes(10).empty());
        puerto.cerrar();
    }
};

QTEST_GUILESS_MAIN(SerialPortsTest)
#include "test_serial_ports.moc"
