// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/serial_devices.hpp"

#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

using namespace lumivel;
namespace fs = std::filesystem;

class SerialDevicesTest : public QObject {
    Q_OBJECT
  private slots:
    // USB adapters first, then USB boards, then the machine's own ports that have hardware,
    // each in numeric order; anything else under /dev is no serial port.
    void devicesAreListedByKindAndNumber() {
        QTemporaryDir dir;
        const fs::path dev = fs::path(dir.path().toStdString()) / "dev";
        const fs::path sys = fs::path(dir.path().toStdString()) / "sys";
        fs::create_directories(dev);
        for (const char* name : {"ttyS1", "ttyUSB10", "tty0", "ttyACM0", "ttyUSB2", "ttyS0",
                                 "ttyUSBx", "ttyS", "console", "ttyS4"}) {
            std::ofstream(dev / name).put('\n');
        }
        // ttyS1 has no port behind it; ttyS4 says nothing, so it is kept.
        for (const auto& [name, type] : {std::pair{"ttyS0", "4"}, std::pair{"ttyS1", "0"}}) {
            fs::create_directories(sys / "class/tty" / name);
            std::ofstream(sys / "class/tty" / name / "type") << type << '\n';
        }
        std::vector<std::string> expected;
        for (const char* name : {"ttyUSB2", "ttyUSB10", "ttyACM0", "ttyS0", "ttyS4"}) {
            expected.push_back((dev / name).string());
        }
        QCOMPARE(serialDevices(dev.string(), sys.string()), expected);
        QVERIFY(serialDevices((dev / "missing").string(), sys.string()).empty());
    }
};

QTEST_GUILESS_MAIN(SerialDevicesTest)
#include "test_serial_devices.moc"
