// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/port_refusal.hpp"
#include "transmission/posix_serial_port.hpp"

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

} // namespace

class PosixSerialPortTest : public QObject {
    Q_OBJECT
  private slots:
    void refusalNamesTheCause_data() {
        QTest::addColumn<int>("refusal");
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("never");
        const int denied = int(PortRefusal::Denied);
        QTest::newRow("held by another program") << denied << true << "root"
                                                 << "en uso por otro programa"
                                                 << "grupo";
        QTest::newRow("group missing") << denied << false << "dialout"
                                       << "grupo \"dialout\""
                                       << "en uso";
        QTest::newRow("root only") << denied << false << "root"
                                   << "permiso denegado"
                                   << "grupo";
        QTest::newRow("no such device") << int(PortRefusal::NotFound) << true << ""
                                        << "no existe"
                                        << "grupo";
    }
    void refusalNamesTheCause() {
        QFETCH(int, refusal);
        QFETCH(bool, accessible);
        QFETCH(QString, group);
        QFETCH(QString, expected);
        QFETCH(QString, never);
        const std::string reason =
            refusalReason(PortRefusal(refusal), DeviceAccess{accessible, group.toStdString()});
        QVERIFY2(contains(reason, expected.toUtf8().constData()), reason.c_str());
        QVERIFY2(!contains(reason, never.toUtf8().constData()), reason.c_str());
    }

    void portHeldByAnotherIsInUse() {
        Pty pty;
        QVERIFY(!pty.path.isEmpty());
        PosixSerialPort first(pty.path.toStdString());
        QVERIFY(first.abrir().ok());
        PosixSerialPort second(pty.path.toStdString());
        const Result<void> isOpenNow = second.abrir();
        QVERIFY(!isOpenNow.ok());
        QVERIFY2(contains(isOpenNow.error().reason, "en uso por otro programa"),
                 isOpenNow.error().reason.c_str());
    }

    // Neither a regular file nor a character device without terminal settings is a port.
    void fileThatIsNoPortIsSaidSo_data() {
        QTest::addColumn<bool>("regularFile");
        QTest::newRow("file") << true;
        QTest::newRow("/dev/null") << false;
    }
    void fileThatIsNoPortIsSaidSo() {
        QFETCH(bool, regularFile);
        QTemporaryDir dir;
        QString path = "/dev/null";
        if (regularFile) {
            path = dir.filePath("puerto.txt");
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const Result<void> opened = PosixSerialPort(path.toStdString()).abrir();
        QVERIFY(!opened.ok());
        QCOMPARE(opened.error().reason, std::string("no es un puerto serie"));
        QCOMPARE(opened.error().path, path.toStdString());
    }

    // A pseudo-terminal refuses the low-latency request; opening goes on without it.
    void staleInputIsDiscarded() {
        Pty pty;
        QVERIFY(!requestLowLatency(pty.slave));
        PosixSerialPort port(pty.path.toStdString());
        QVERIFY(port.abrir().ok());
        QCOMPARE(::write(pty.master, "zz", 2), 2);
        QTest::qWait(20); // the line discipline hands the bytes to the input
        port.discardInput();
        QCOMPARE(::write(pty.master, "c", 1), 1);
        const Result<std::string> read = port.waitForBytes(2000);
        QVERIFY(read.ok());
        QCOMPARE(read.value(), std::string("c"));
    }

    // Whichever call notices first fails with the cause; the port is closed from then on.
    void signHangingUpIsNamed() {
        Pty pty;
        PosixSerialPort port(pty.path.toStdString());
        QVERIFY(port.abrir().ok());
        pty.hangUp();
        const Result<std::size_t> written = port.escribir("c");
        const Result<std::string> read =
            written.ok() ? port.waitForBytes(500) : Result<std::string>{written.error()};
        QVERIFY(!read.ok());
        QCOMPARE(read.error().reason,
                 std::string("el letrero se desconectó durante la transmisión"));
        QCOMPARE(read.error().path, pty.path.toStdString());
        QVERIFY(!port.escribir("c").ok());
        QVERIFY(!port.waitForBytes(10).ok());
        port.close();
    }
};

QTEST_GUILESS_MAIN(PosixSerialPortTest)
#include "test_posix_serial_port.moc"
