// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/fake_port.hpp"
#include "transmission/parallel_send.hpp"
#include "transmission/sign_link.hpp"

#include <QtTest>

using namespace lumivel;

namespace {

TransmissionImage imageOf(const std::vector<int>& bytes) {
    TransmissionImage image;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        image.datos[i] = static_cast<std::int16_t>(bytes[i]);
    }
    image.ndatos = static_cast<std::int16_t>(bytes.size() - 1);
    return image;
}

LoadResult list() {
    LoadResult load;
    load.estado = ImageState::Ready;
    return load;
}

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (const int v : values) {
        s += static_cast<char>(v);
    }
    return s;
}

enum class Line { Greeting, AlteredEcho, NoEchoForE, NineSilences, SilentAfter26, PortGoesAway };

// Records what the window would see.
struct Recorder : TransferObserver {
    int connections = 0;
    int errors = 0;
    int maximum_ = -1;
    int last = -1;
    void connected() override { ++connections; }
    void setMaximum(int t) override { maximum_ = t; }
    void progress(int i) override { last = i; }
    void dataError() override { ++errors; }
};

SendResult sendTo(FakePort& port, const std::vector<int>& byteValues, Recorder& record) {
    const TransmissionImage image = imageOf(byteValues);
    return sendImage(port, list(), image, image.ndatos, record);
}

} // namespace

class SignLinkTest : public QObject {
    Q_OBJECT
  private slots:
    void sendsConnectionRequestHeaderAndImage() {
        FakePort port;
        Recorder record;
        const auto r = sendTo(port, {1, 2, 0x41, 0x42, 0, 0, 0}, record);
        QCOMPARE(r.outcome, Outcome::Verified);
        QCOMPARE(port.written, bytes({0x63, 0x77, 0xFF, 0, 0, 0, 1, 2, 0x41, 0x42, 0, 0, 0}));
        QCOMPARE(record.maximum_, 6);
        QCOMPARE(record.last, 6);
        QCOMPARE(r.transfer.verified, 7);
        QCOMPARE(port.closes, 1);
    }

    void everyWriteWaitsForItsReply() {
        // The fake answers each byte at once; a second write before the read would leave
        // two replies pending and the first character would no longer be this byte's.
        FakePort port;
        std::size_t pending = 0;
        port.responder = [&](std::uint8_t b) {
            ++pending;
            return std::string(1, static_cast<char>(b));
        };
        Recorder record;
        sendTo(port, {9, 9, 0, 0, 0}, record);
        QCOMPARE(pending, port.written.size());
    }

    void blockHeadersEvery255Bytes_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("headers"); // wire offsets of each "w"
        // Wire: "c" at 0, first header at 1..5, image index i at 6 + i (+5 per later header).
        QTest::newRow("255 bytes, one header") << 255 << QList<int>{1};
        QTest::newRow("256 bytes, second header before index 255") << 256 << QList<int>{1, 261};
        QTest::newRow("510 bytes, no trailing header") << 510 << QList<int>{1, 261};
        QTest::newRow("511 bytes, third header") << 511 << QList<int>{1, 261, 521};
    }
    void blockHeadersEvery255Bytes() {
        QFETCH(int, size);
        QFETCH(QList<int>, headers);
        // Image bytes never equal "w" here, so every "w" on the wire starts a header.
        std::vector<int> byteValues(static_cast<std::size_t>(size));
        for (int i = 0; i < size; ++i) {
            byteValues[static_cast<std::size_t>(i)] = i % 100;
        }
        FakePort port;
        Recorder record;
        QCOMPARE(sendTo(port, byteValues, record).outcome, Outcome::Verified);
        QList<int> found;
        for (std::size_t p = 0; p < port.written.size(); ++p) {
            if (port.written[p] == 'w') {
                found << static_cast<int>(p);
            }
        }
        QCOMPARE(found, headers);
        for (int b = 0; b < headers.size(); ++b) {
            const auto p = static_cast<std::size_t>(headers[b]);
            QCOMPARE(port.written.substr(p, 5), bytes({0x77, 0xFF, b, 0, 0}));
        }
        QCOMPARE(static_cast<int>(port.written.size()), 1 + size + 5 * headers.size());
    }

    // A faulty line: no connection unless the request is answered with exactly "c"; the
    // transfer goes on after a bad or missing echo (reported once), ends after ten silences in
    // a row or when the port goes away, and always closes the port.
    void faultyLine_data() {
        QTest::addColumn<Line>("line");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<int>("verified"); // -1: any
        QTest::addColumn<int>("written");
        QTest::addColumn<QByteArray>("greeting");
        for (const char* greeting : {"cc", "C", "?", ""}) {
            QTest::addRow("answers the request with \"%s\"", greeting)
                << Line::Greeting << Outcome::NoConnection << 0 << 1 << QByteArray(greeting);
        }
        // 100 image bytes: the request, one header and the image are 106 bytes on the wire.
        QTest::newRow("every echo differs")
            << Line::AlteredEcho << Outcome::WithErrors << 0 << 106 << QByteArray();
        // 0x45 is the "E" of the time-out text; it must still count as unanswered.
        QTest::newRow("no echo for one byte")
            << Line::NoEchoForE << Outcome::WithErrors << 99 << 106 << QByteArray();
        QTest::newRow("nine silences at a time")
            << Line::NineSilences << Outcome::WithErrors << -1 << 106 << QByteArray();
        QTest::newRow("sign falls silent") << Line::SilentAfter26 << Outcome::SignSilent << 20
                                           << 26 + kSilencesInARow << QByteArray();
        QTest::newRow("port lost")
            << Line::PortGoesAway << Outcome::PortLost << 24 << 30 << QByteArray();
    }
    void faultyLine() {
        QFETCH(Line, line);
        QFETCH(Outcome, outcome);
        QFETCH(int, verified);
        QFETCH(int, written);
        QFETCH(QByteArray, greeting);
        FakePort port;
        int n = 0;
        port.responder = [&](std::uint8_t b) {
            ++n;
            const std::string echo(1, static_cast<char>(b));
            switch (line) {
            case Line::Greeting:
                return greeting.toStdString();
            case Line::AlteredEcho:
                return n == 1 ? echo : std::string(1, static_cast<char>(b ^ 0x01));
            case Line::NoEchoForE:
                return b == 0x45 ? std::string() : echo;
            case Line::NineSilences:
                return (n % 10 != 0 && n > 1) ? std::string() : echo;
            case Line::SilentAfter26:
                return n <= 26 ? echo : std::string();
            case Line::PortGoesAway:
                break;
            }
            return echo;
        };
        if (line == Line::PortGoesAway) {
            port.loseAfterWritten = 30;
        }
        std::vector<int> byteValues(100, 7);
        byteValues[2] = 0x45;
        Recorder record;
        const auto r = sendTo(port, byteValues, record);
        QCOMPARE(r.outcome, outcome);
        if (verified >= 0) {
            QCOMPARE(r.transfer.verified, verified);
        }
        QCOMPARE(static_cast<int>(port.written.size()), written);
        QCOMPARE(port.closes, 1);
        QCOMPARE(record.connections, outcome == Outcome::NoConnection ? 0 : 1);
        const bool withErrors = outcome == Outcome::WithErrors;
        if (withErrors || outcome == Outcome::PortLost) {
            // A lost port is a disconnection only, never a differing echo before it.
            QCOMPARE(record.errors, withErrors ? 1 : 0);
        }
        // Data errors are the observer's to show; the other endings have their own box.
        QCOMPARE(outcomeBox(r, list(), port.name()).has_value(), !withErrors);
    }

    // Bytes left on the line (a chattering sign, a transfer killed half way) are not taken for
    // the answer to the request, nor shift the echoes after it.
    void staleInputIsDiscardedBeforeTheRequest() {
        FakePort port;
        port.staleInput = "\x07xyz";
        Recorder record;
        const auto r = sendTo(port, {1, 2, 0x41, 0, 0, 0}, record);
        QCOMPARE(r.outcome, Outcome::Verified);
        QCOMPARE(r.transfer.verified, 6);
        QCOMPARE(port.discards, 1);
    }

    void portThatCannotBeOpenedSendsNothing() {
        FakePort port;
        port.deviceName = "/dev/ttyS3";
        port.openError = "permiso denegado";
        Recorder record;
        const auto r = sendTo(port, {1, 1, 0, 0, 0}, record);
        QCOMPARE(r.outcome, Outcome::PortNotOpened);
        QVERIFY(port.written.empty());
        const auto box = outcomeBox(r, list(), port.name());
        QVERIFY(box);
        QVERIFY(box->texto.find("/dev/ttyS3: permiso denegado") != std::string::npos);
    }

    void interruptedTransferStopsAndClosesThePort() {
        struct Cut : Recorder {
            bool shouldStop() override { return last >= 9; }
        } cut;
        FakePort port;
        const TransmissionImage image = imageOf(std::vector<int>(300, 5));
        const auto r = sendImage(port, list(), image, image.ndatos, cut);
        QCOMPARE(r.outcome, Outcome::Stopped);
        QCOMPARE(r.transfer.sent, 10);
        QCOMPARE(port.closes, 1);
        QVERIFY(!outcomeBox(r, list(), port.name()));
    }

    void neverReadsBeyondTheImage() {
        FakePort port;
        Recorder record;
        const TransmissionImage image = imageOf({1, 1, 0, 0, 0});
        const auto r = sendImage(port, list(), image, 20000, record);
        QCOMPARE(r.transfer.sent, TransmissionImage::kCapacity);
    }

    // Several signs at once: a missing port and a sign with a wrong echo leave the others'
    // transfers whole, and each result stays with its own port.
    void eachPortGetsTheWholeImageWhateverTheOthersDo() {
        FakePort good, altered, missing, other;
        altered.responder = [](std::uint8_t b) { return std::string(1, b == 0x41 ? 'X' : b); };
        missing.openError = "el dispositivo no existe";
        const TransmissionImage image = imageOf(std::vector<int>(600, 0x41));
        const auto r = sendToEach({&good, &altered, &missing, &other}, list(), image, image.ndatos);
        QCOMPARE(r.size(), std::size_t{4});
        QCOMPARE(r[0].outcome, Outcome::Verified);
        QCOMPARE(r[1].outcome, Outcome::WithErrors);
        QCOMPARE(r[1].transfer.firstError, 0);
        QCOMPARE(r[2].outcome, Outcome::PortNotOpened);
        QCOMPARE(r[3].outcome, Outcome::Verified);
        QCOMPARE(r[3].transfer.verified, 600);
        QCOMPARE(good.written, other.written);
        QCOMPARE(good.written.size(), std::size_t{1 + 600 + 3 * 5});
        QVERIFY(missing.written.empty());
        QCOMPARE(good.closes + altered.closes + other.closes, 3);
    }
};

QTEST_APPLESS_MAIN(SignLinkTest)
#include "test_sign_link.moc"
