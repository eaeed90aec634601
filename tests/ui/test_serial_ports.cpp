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
    QString path;
    Pty() {
        char name[256] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0) {
            path = QString::fromLocal8Bit(name);
        }
    }
    ~Pty() {
        hangUp();
        if (slave >= 0) {
            ::close(slave);
        }
    }
    void hangUp() {
        if (master >= 0) {
            ::close(master);
            master = -1;
        }
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;
};

bool contains(const std::string& texto, const char* part) {
    return texto.find(part) != std::string::npos;
}

// Both ports behave alike towards a line; the rows of each test pick one.
std::unique_ptr<Port> portOf(const QString& kind, const QString& path) {
    if (kind == "posix") {
        return std::make_unique<PosixSerialPort>(path.toStdString());
    }
    return std::make_unique<QtSerialPort>(path);
}

void bothPorts() {
    QTest::addColumn<QString>("kind");
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
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("never");
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
        QFETCH(bool, accessible);
        QFETCH(QString, group);
        QFETCH(QString, expected);
        QFETCH(QString, never);
        const std::string reason =
            openFailureReason(error, accessible, group.toStdString(), "texto de Qt");
        QVERIFY2(contains(reason, expected.toUtf8().constData()), reason.c_str());
        QVERIFY2(!contains(reason, never.toUtf8().constData()), reason.c_str());
    }

    void portHeldByAnotherIsInUse_data() { bothPorts(); }
    void portHeldByAnotherIsInUse() {
        QFETCH(QString, kind);
        Pty pty;
        QVERIFY(!pty.path.isEmpty());
        const auto first = portOf(kind, pty.path);
        QVERIFY(first->abrir().ok());
        const auto second = portOf(kind, pty.path);
        const Result<void> isOpenNow = second->abrir();
        QVERIFY(!isOpenNow.ok());
        QVERIFY2(contains(isOpenNow.error().reason, "en uso por otro programa"),
                 isOpenNow.error().reason.c_str());
    }

    // Neither a regular file nor a character device without terminal settings is a port,
    // whichever way it is named.
    void fileThatIsNoPortIsSaidSo_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("regularFile");
        QTest::newRow("QSerialPort, file") << "qt" << true;
        QTest::newRow("QSerialPort, /dev/null") << "qt" << false;
        QTest::newRow("POSIX, file") << "posix" << true;
        QTest::newRow("POSIX, /dev/null") << "posix" << false;
    }
    void fileThatIsNoPortIsSaidSo() {
        QFETCH(QString, kind);
        QFETCH(bool, regularFile);
        QTemporaryDir dir;
        QString path = "/dev/null";
        if (regularFile) {
            path = dir.filePath("puerto.txt");
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const Result<void> opened = portOf(kind, path)->abrir();
        QVERIFY(!opened.ok());
        QCOMPARE(opened.error().reason, std::string("no es un puerto serie"));
        QCOMPARE(opened.error().path, path.toStdString());
    }

    // A pseudo-terminal refuses the low-latency request; opening goes on without it.
    void staleInputIsDiscarded_data() { bothPorts(); }
    void staleInputIsDiscarded() {
        QFETCH(QString, kind);
        Pty pty;
        QVERIFY(!requestLowLatency(pty.slave));
        const auto opened = portOf(kind, pty.path);
        Port& port = *opened;
        QVERIFY(port.abrir().ok());
        QCOMPARE(::write(pty.master, "zz", 2), 2);
        QTest::qWait(20); // the line discipline hands the bytes to the input
        port.discardInput();
        QCOMPARE(::write(pty.master, "c", 1), 1);
        QCOMPARE(port.waitForBytes(2000), std::string("c"));
    }

    void signHangingUpIsNamed_data() { bothPorts(); }
    void signHangingUpIsNamed() {
        QFETCH(QString, kind);
        Pty pty;
        const auto opened = portOf(kind, pty.path);
        Port& port = *opened;
        QVERIFY(port.abrir().ok());
        pty.hangUp();
        // Whichever call notices first, the port ends up failed for good with the cause.
        QVERIFY(!port.escribir("c").ok() || port.waitForBytes(500).empty());
        port.waitForBytes(500);
        QVERIFY(port.fault());
        QCOMPARE(port.fault()->reason,
                 std::string("el letrero se desconectó durante la transmisión"));
        QVERIFY(!port.escribir("c").ok());
        QVERIFY(port.waitForBytes(10).empty());
        port.close();
    }
};

QTEST_GUILESS_MAIN(SerialPortsTest)
#include "test_serial_ports.moc"
