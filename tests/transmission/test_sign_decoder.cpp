// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/message_fixture.hpp"
#include "support/metatypes.hpp"
#include "transmission/fake_port.hpp"
#include "transmission/sign_decoder.hpp"
#include "transmission/sign_link.hpp"
#include "transmission/transmission_image.hpp"

#include <QtTest>

using namespace lumivel;
using namespace lumivel::test;

namespace {

// The sender's code against the virtual sign's answering code, in-process.
struct Linked {
    SignResponder sign;
    FakePort port;
    std::vector<std::vector<DecodedMessage>> images;
    std::vector<std::string> errors;

    explicit Linked(SignFault fault = {}) : sign(fault) {
        port.responder = [this](std::uint8_t b) {
            const auto r = sign.responder(b);
            if (r.event == SignDecoder::Event::ImageComplete) {
                images.push_back(sign.decoder().takeImage());
            } else if (r.event == SignDecoder::Event::Error) {
                errors.push_back(sign.decoder().lastError());
            }
            return r.bytes;
        };
    }

    SendResult enviar(MessageStore& l) {
        TransmissionImage image;
        std::int16_t totaldatos = 0;
        const LoadResult load = cargarcomm(l, image, totaldatos);
        TransferObserver nobody;
        return sendImage(port, load, image, totaldatos, nobody);
    }
};

std::array<std::uint8_t, 64> ramp() {
    std::array<std::uint8_t, 64> c{};
    for (std::size_t k = 0; k < 64; ++k) {
        c[k] = static_cast<std::uint8_t>(k * 4); // includes 0 bytes inside the picture
    }
    return c;
}

void compareWith(const std::vector<DecodedMessage>& received,
                 const std::vector<tipomensaje>& records) {
    std::vector<tipomensaje> activeRecords;
    for (const auto& r : records) {
        if (r.isActive()) {
            activeRecords.push_back(r);
        }
    }
    QCOMPARE(received.size(), activeRecords.size());
    for (std::size_t i = 0; i < activeRecords.size(); ++i) {
        QCOMPARE(received[i].image, activeRecords[i].isPicture());
        if (activeRecords[i].isPicture()) {
            QVERIFY(received[i].columnas == decodePicture(activeRecords[i].texto));
        } else {
            QCOMPARE(received[i].presentacion, activeRecords[i].presentacion);
            QCOMPARE(received[i].letra, activeRecords[i].letra);
            QCOMPARE(received[i].texto, storedText(activeRecords[i]));
        }
    }
}

} // namespace

class SignDecoderTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

  private slots:
    void decodesWhatTheSenderSends_data() {
        QTest::addColumn<std::vector<tipomensaje>>("records");
        QTest::newRow("one text") << std::vector{texto(1, 2, "AB")};
        QTest::newRow("empty text and picture")
            << std::vector{texto(3, 4, ""), image(ramp()), texto(2, 1, " x ")};
        QTest::newRow("deleted in between")
            << std::vector{texto(1, 1, "a"), texto(1, 1, "gone", '0'), texto(2, 2, "b")};
        // 133-byte texts: several blocks, headers falling inside messages.
        QTest::newRow("several blocks")
            << std::vector<tipomensaje>(10, texto(2, 3, std::string(130, 'w')));
        // 3 x 67 + 52 = 253 message bytes: the end marker is index 253 and the final
        // byte index 254, the last of the first block.
        QTest::newRow("image of exactly 255 bytes") << std::vector{
            image(ramp()), image(ramp()), image(ramp()), texto(1, 1, std::string(49, 'z'))};
        // One more byte: the final 00 goes alone in block 1.
        QTest::newRow("image of 256 bytes") << std::vector{
            image(ramp()), image(ramp()), image(ramp()), texto(1, 1, std::string(50, 'z'))};
    }
    void decodesWhatTheSenderSends() {
        QFETCH(std::vector<tipomensaje>, records);
        MessageStore l;
        openWithMessages(l, dir_.filePath(QTest::currentDataTag()), records);
        Linked link;
        QCOMPARE(link.enviar(l).outcome, Outcome::Verified);
        QCOMPARE(link.errors, std::vector<std::string>{});
        QCOMPARE(link.images.size(), std::size_t{1});
        compareWith(link.images.front(), records);
        QVERIFY(link.sign.decoder().idle());

        // The same sign takes the next transfer.
        QCOMPARE(link.enviar(l).outcome, Outcome::Verified);
        QCOMPARE(link.images.size(), std::size_t{2});
    }

    void faultsGiveTheirOutcome_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("silent") << "silent" << Outcome::NoConnection;
        QTest::newRow("no-hello") << "no-hello" << Outcome::NoConnection;
        QTest::newRow("corrupt:3") << "corrupt:3" << Outcome::WithErrors;
        QTest::newRow("stop:40") << "stop:40" << Outcome::SignSilent;
        QTest::newRow("stop:0") << "stop:0" << Outcome::NoConnection;
        // Late echoes are the virtual sign's to hold; the answers themselves are right.
        QTest::newRow("latency:5") << "latency:5" << Outcome::Verified;
    }
    void faultsGiveTheirOutcome() {
        QFETCH(QString, fault);
        QFETCH(Outcome, outcome);
        const auto f = parseFault(fault.toStdString());
        QVERIFY(f);
        MessageStore l;
        openWithMessages(l, dir_.filePath(QTest::currentDataTag()),
                         std::vector<tipomensaje>(3, texto(1, 1, std::string(40, 'q'))));
        Linked link(*f);
        const SendResult r = link.enviar(l);
        QCOMPARE(r.outcome, outcome);
        if (fault == "stop:40") { // request and header answered, then 34 image bytes
            QCOMPARE(r.transfer.verified, 34);
        } else if (fault == "corrupt:3") { // bad echoes: everything is still sent
            QVERIFY(r.transfer.verified > 0);
            QCOMPARE(r.transfer.sent, r.transfer.imageBytes);
        }
    }

    void malformedFaultsAreRefused_data() {
        QTest::addColumn<QString>("fault");
        for (const char* fault : {"loud", "corrupt:0", "stop:-1", "latency:0", "latency:10001",
                                  "latency:", "latency:5ms", "latency"}) {
            QTest::newRow(fault) << fault;
        }
    }
    void malformedFaultsAreRefused() {
        QFETCH(QString, fault);
        QVERIFY(!parseFault(fault.toStdString()));
    }

    // After a failed connection check the sender starts again; a bad header is refused.
    void newRequestRestartsAnAbandonedTransfer() {
        SignDecoder d;
        const auto recibir = [&](std::initializer_list<int> bytes) {
            SignDecoder::Event last = SignDecoder::Event::None;
            for (const int b : bytes) {
                last = d.recibir(static_cast<std::uint8_t>(b));
            }
            return last;
        };
        recibir({'c', 'w', 0xFF, 0, 0, 0, 1, 1, 'h'});
        d.reset();
        QVERIFY(d.idle());
        QCOMPARE(recibir({'c'}), SignDecoder::Event::Request);
        QCOMPARE(recibir({'c'}), SignDecoder::Event::Request);
        QCOMPARE(recibir({'w', 0xFF, 0, 0, 0, 2, 3, 'k', 0, 0}), SignDecoder::Event::ImageComplete);
        const auto messages = d.takeImage();
        QCOMPARE(messages.size(), std::size_t{1});
        QCOMPARE(messages[0].texto, std::string("k"));
        QCOMPARE(recibir({'c', 'w', 0x00}), SignDecoder::Event::Error);
        QVERIFY(d.idle());
    }
};

QTEST_APPLESS_MAIN(SignDecoderTest)
#include "test_sign_decoder.moc"
