// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/fake_port.hpp"
#include "transmission/link_advice.hpp"
#include "transmission/sign_link.hpp"
#include "transmission/transmission_texts.hpp"

#include <QTemporaryDir>
#include <QtTest>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace lumivel;
namespace fs = std::filesystem;

namespace {

LinkMeasurement lineOf(double roundTripMs, int exchanges = 8192 + 33 * 5 + 1) {
    return {roundTripMs, TransferClock::kSamples, exchanges};
}

void writeFile(const fs::path& path, const std::string& contents) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << contents << '\n';
}

// A port that answers every byte after `delayMs`, as a slow adapter does.
std::unique_ptr<FakePort> lateEchoes(int delayMs) {
    auto port = std::make_unique<FakePort>();
    port->responder = [delayMs](std::uint8_t b) {
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        return std::string(1, static_cast<char>(b));
    };
    return port;
}

TransmissionImage imageOfSize(int bytes) {
    TransmissionImage image;
    for (int i = 0; i < bytes; ++i) {
        image.datos[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i % 200 + 1);
    }
    image.ndatos = static_cast<std::int16_t>(bytes - 1);
    return image;
}

LoadResult ready() {
    LoadResult load;
    load.estado = ImageState::Ready;
    return load;
}

// What the window and the command line would be told, in order.
struct Timeline : TransferObserver {
    std::vector<LinkMeasurement> measurements;
    std::vector<int> secondsLeft;
    int progressBeforeMeasured = 0;
    int progressCalls = 0;
    void measured(const LinkMeasurement& link) override {
        measurements.push_back(link);
        progressBeforeMeasured = progressCalls;
    }
    void timeLeft(int seconds) override { secondsLeft.push_back(seconds); }
    void progress(int) override { ++progressCalls; }
};

} // namespace

class LinkTimingTest : public QObject {
    Q_OBJECT
  private slots:
    void exchangesCountEveryHeader_data() {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("exchanges");
        QTest::newRow("AB") << 7 << 1 + 5 + 7;
        QTest::newRow("one full block") << 255 << 1 + 5 + 255;
        QTest::newRow("a second header") << 256 << 1 + 10 + 256;
        QTest::newRow("a full sign") << 8192 << 1 + 33 * 5 + 8192;
    }
    void exchangesCountEveryHeader() {
        QFETCH(int, bytes);
        QFETCH(int, exchanges);
        QCOMPARE(transferExchanges(bytes), exchanges);
        QCOMPARE(transferExchanges(bytes, false), exchanges - 1);
    }

    void durationsReadAsAPersonSaysThem_data() {
        QTest::addColumn<double>("ms");
        QTest::addColumn<QString>("texto");
        QTest::newRow("under a second") << 12.0 << "1 s";
        QTest::newRow("rounded up") << 17001.0 << "18 s";
        QTest::newRow("a minute") << 60000.0 << "1 min";
        QTest::newRow("minutes and seconds") << 136100.0 << "2 min 17 s";
    }
    void durationsReadAsAPersonSaysThem() {
        QFETCH(double, ms);
        QFETCH(QString, texto);
        QCOMPARE(QString::fromStdString(durationText(ms)), texto);
    }

    void captionsOfTheEstimateAndTheTimeLeft() {
        // A full sign on a good 9600-baud line, and on an adapter that holds each echo 16 ms.
        QCOMPARE(estimateCaption(lineOf(kWireMsPerExchange)), std::string("Tiempo estimado: 18 s"));
        QCOMPARE(estimateCaption(lineOf(16.2)), std::string("Tiempo estimado: 2 min 16 s"));
        QCOMPARE(timeLeftCaption(12), std::string("Quedan 12 s"));
        QCOMPARE(timeLeftCaption(0), std::string("Quedan 0 s"));
        QCOMPARE(millisecondsText(kWireMsPerExchange), std::string("2,1"));
    }

    void onlyARoundTripOverThreeTimesTheWireIsSlow() {
        QVERIFY(!lineOf(0.1).slow());
        QVERIFY(!lineOf(3 * kWireMsPerExchange).slow());
        QVERIFY(lineOf(3 * kWireMsPerExchange + 0.1).slow());
        QVERIFY(!slowLinkAdvice(lineOf(2.5), "/dev/ttyUSB0", std::nullopt, AdviceSystem::Linux));
    }

    void adviceNamesTheCauseTheCostAndTheFixForTheSystem() {
        const UsbAdapter ftdi{0x0403, 0x6001, "/sys/bus/usb-serial/devices/ttyUSB0/latency_timer"};
        const auto onLinux =
            slowLinkAdvice(lineOf(16.2), "/dev/ttyUSB0", ftdi, AdviceSystem::Linux);
        QVERIFY(onLinux);
        QVERIFY(onLinux->texto.find("16,2 ms") != std::string::npos);
        QVERIFY(onLinux->texto.find("el adaptador USB FTDI") != std::string::npos);
        QVERIFY(onLinux->texto.find("2 min 16 s en lugar de 18 s") != std::string::npos);
        QVERIFY(onLinux->texto.find("udev") != std::string::npos);
        QCOMPARE(
            onLinux->command,
            std::string("echo 1 | sudo tee /sys/bus/usb-serial/devices/ttyUSB0/latency_timer"));
        // The command is offered, and shown only to who asks for it.
        const MessageBoxSpec offer = adviceBox(*onLinux);
        QCOMPARE(offer.buttons, Buttons::YesNo);
        QVERIFY(offer.texto.find("¿Quiere ver la orden para /dev/ttyUSB0?") != std::string::npos);
        QVERIFY(commandBox(*onLinux).texto.find(onLinux->command) != std::string::npos);

        // An adapter of no known family, without a timer in sysfs, on Windows.
        const UsbAdapter unknown{0x1234, 0x5678, {}};
        const auto windows = slowLinkAdvice(lineOf(16.2), "COM3", unknown, AdviceSystem::Windows);
        QVERIFY(windows);
        QVERIFY(windows->texto.find("Lo más probable es que el adaptador USB retenga") !=
                std::string::npos);
        QVERIFY(windows->texto.find("Administrador de dispositivos") != std::string::npos);
        QVERIFY(windows->texto.find("Latency Timer") != std::string::npos);
        QVERIFY(windows->command.empty());
        QCOMPARE(adviceBox(*windows).buttons, Buttons::Ok);
        QVERIFY(slowLinkAdvice(lineOf(16.2), "/dev/ttyACM0", std::nullopt, AdviceSystem::Linux)
                    ->command.empty());
    }

    void chipFamiliesOfTheCommonAdapters() {
        QCOMPARE(chipFamily(0x0403), std::string("FTDI"));
        QCOMPARE(chipFamily(0x067B), std::string("Prolific PL2303"));
        QCOMPARE(chipFamily(0x10C4), std::string("Silicon Labs CP210x"));
        QCOMPARE(chipFamily(0x1A86), std::string("WCH CH340"));
        QVERIFY(chipFamily(0x1234).empty());
    }

    // sysfs as Linux lays it out: the tty's device is the driver's port, whose USB device
    // (with the identifiers) sits a few folders up.
    void adapterIsReadFromSysfs() {
        QTemporaryDir dir;
        const fs::path sys = dir.path().toStdString();
        const fs::path usb = sys / "devices/pci0000:00/usb1/1-2";
        writeFile(usb / "idVendor", "0403");
        writeFile(usb / "idProduct", "6001");
        writeFile(usb / "1-2:1.0/ttyUSB0/latency_timer", "16");
        writeFile(usb / "1-2:1.0/tty/ttyACM0/uevent", "");
        fs::create_directories(sys / "class/tty/ttyUSB0");
        fs::create_symlink(usb / "1-2:1.0/ttyUSB0", sys / "class/tty/ttyUSB0/device");
        fs::create_directories(sys / "class/tty/ttyACM0");
        fs::create_symlink(usb / "1-2:1.0", sys / "class/tty/ttyACM0/device");
        fs::create_directories(sys / "class/tty/ttyS0");

        const auto ftdi = findUsbAdapter("/dev/ttyUSB0", sys.string());
        QVERIFY(ftdi);
        QCOMPARE(ftdi->vendorId, 0x0403);
        QCOMPARE(ftdi->productId, 0x6001);
        QCOMPARE(ftdi->latencyTimerPath,
                 std::string("/sys/bus/usb-serial/devices/ttyUSB0/latency_timer"));
        const auto acm = findUsbAdapter("/dev/ttyACM0", sys.string());
        QVERIFY(acm);
        QVERIFY(acm->latencyTimerPath.empty());
        // A port on the machine's own board, and a name sysfs does not know.
        QVERIFY(!findUsbAdapter("/dev/ttyS0", sys.string()));
        QVERIFY(!findUsbAdapter("/dev/pts/7", sys.string()));
        QVERIFY(!findUsbAdapter("", sys.string()));
    }

    // The request and the first header measure the line before the first image byte; then
    // the time left counts down to nothing.
    void aTransferIsMeasuredOnceThenCountsDown() {
        const std::unique_ptr<FakePort> port = lateEchoes(4);
        const TransmissionImage image = imageOfSize(60);
        Timeline timeline;
        const SendResult r = sendImage(*port, ready(), image, image.ndatos, timeline);
        QCOMPARE(r.outcome, Outcome::Verified);
        QCOMPARE(timeline.measurements.size(), std::size_t{1});
        QCOMPARE(timeline.progressBeforeMeasured, 0);
        const LinkMeasurement& link = timeline.measurements.front();
        QCOMPARE(link.samples, TransferClock::kSamples);
        QCOMPARE(link.exchanges, transferExchanges(60));
        QVERIFY(link.roundTripMs >= 4.0);
        QVERIFY(r.transfer.link && r.transfer.link->roundTripMs == link.roundTripMs);
        QVERIFY(!timeline.secondsLeft.empty());
        QCOMPARE(timeline.secondsLeft.back(), 0);
        QVERIFY(std::is_sorted(timeline.secondsLeft.rbegin(), timeline.secondsLeft.rend()));
    }

    // A time-out is the wait's length, not the line's: it is never taken for a round trip.
    void unansweredExchangesMeasureNothing() {
        FakePort port;
        int received = 0;
        port.responder = [&received](std::uint8_t b) {
            return ++received <= 2 ? std::string(1, static_cast<char>(b)) : std::string();
        };
        const TransmissionImage image = imageOfSize(20);
        Timeline timeline;
        const SendResult r = sendImage(port, ready(), image, image.ndatos, timeline, 50);
        QCOMPARE(r.outcome, Outcome::SignSilent);
        QCOMPARE(timeline.measurements.size(), std::size_t{1});
        QCOMPARE(timeline.measurements.front().samples, 2);
    }

    // The probe asks for the connection and nothing else.
    void aProbeWritesOnlyTheRequest() {
        const std::unique_ptr<FakePort> port = lateEchoes(3);
        const SendResult probe = probeLink(*port, 300);
        QCOMPARE(probe.outcome, Outcome::Verified);
        QCOMPARE(port->written, std::string("c"));
        QCOMPARE(port->closes, 1);
        QVERIFY(probe.transfer.link);
        QCOMPARE(probe.transfer.link->samples, 1);
        QCOMPARE(probe.transfer.link->exchanges, transferExchanges(300));
        QVERIFY(probe.transfer.link->roundTripMs >= 3.0);

        FakePort silent;
        silent.responder = [](std::uint8_t) { return std::string(); };
        const SendResult unanswered = probeLink(silent, 300, 20);
        QCOMPARE(unanswered.outcome, Outcome::NoConnection);
        QVERIFY(!unanswered.transfer.link);
        QCOMPARE(silent.closes, 1);

        FakePort missing;
        missing.openError = "el dispositivo no existe";
        QCOMPARE(probeLink(missing, 300).outcome, Outcome::PortNotOpened);
        QVERIFY(missing.written.empty());
    }
};

QTEST_GUILESS_MAIN(LinkTimingTest)
#include "test_link_timing.moc"
