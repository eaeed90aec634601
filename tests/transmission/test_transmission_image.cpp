// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/metatypes.hpp"
#include "transmission/transmission_image.hpp"

#include "support/message_fixture.hpp"

#include <QtTest>

using namespace lumivel;
using namespace lumivel::test;

namespace {

// The store with the last image's highest index, kept between builds as the program keeps it.
struct StoreAndImage : MessageStore {
    std::int16_t totaldatos = 0;
};

QString asHex(const TransmissionImage& image, int last) {
    QStringList bytes;
    for (int i = 0; i <= last; ++i) {
        bytes << QStringLiteral("%1")
                     .arg(image.datos[static_cast<std::size_t>(i)], 2, 16, QLatin1Char('0'))
                     .toUpper();
    }
    return bytes.join(' ');
}

} // namespace

class TransmissionImageTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString path(const char* name) { return dir_.filePath(name); }
    // Opens `records` in `l` under `name` and builds the image from them.
    LoadResult build(StoreAndImage& l, TransmissionImage& image, const char* name,
                     const std::vector<tipomensaje>& records) {
        openWithMessages(l, path(name), records);
        return cargarcomm(l, image, l.totaldatos);
    }

  private slots:
    void encodesActiveRecords_data() {
        QTest::addColumn<std::vector<tipomensaje>>("records");
        QTest::addColumn<QString>("expected");
        const QString pic = "FF FF 00 0F FF" + QString(" 00").repeated(60) + " 81 00 00 00";
        QTest::newRow("AB") << std::vector{texto(1, 2, "AB")} << "01 02 41 42 00 00 00";
        QTest::newRow("trailing spaces dropped")
            << std::vector{texto(3, 1, "A  ")} << "03 01 41 00 00 00";
        QTest::newRow("leading and inner spaces kept")
            << std::vector{texto(2, 4, " A B")} << "02 04 20 41 20 42 00 00 00";
        QTest::newRow("empty text") << std::vector{texto(1, 1, "")} << "01 01 00 00 00";
        QTest::newRow("picture") << std::vector{image(samplePicture())} << pic;
        QTest::newRow("picture whatever its presentation and font")
            << std::vector{image(samplePicture(), 10, 3)} << pic;
        QTest::newRow("deleted record skipped")
            << std::vector{texto(1, 1, "X", '0'), texto(1, 2, "AB")} << "01 02 41 42 00 00 00";
        QTest::newRow("windows-1252 byte")
            << std::vector{texto(1, 1, "\xF1")} << "01 01 F1 00 00 00";
    }
    void encodesActiveRecords() {
        QFETCH(std::vector<tipomensaje>, records);
        QFETCH(QString, expected);
        StoreAndImage l;
        TransmissionImage image;
        QCOMPARE(build(l, image, QTest::currentDataTag(), records).estado, ImageState::Ready);
        const int last = static_cast<int>(expected.split(' ').size()) - 1;
        QCOMPARE(image.ndatos, last);
        QCOMPARE(l.totaldatos, last);
        QCOMPARE(asHex(image, last), expected);
        // The buffer ends holding the file's last record.
        QCOMPARE(l.mensaje.estado, records.back().estado);
    }

    // Nothing to send: a skipped build keeps the previous image; a stale count must not make
    // an image of deleted records look sendable.
    void nothingToSend_data() {
        QTest::addColumn<int>("scenario");
        QTest::newRow("no file open") << 0;
        QTest::newRow("only deleted records, stale count") << 3;
    }
    void nothingToSend() {
        QFETCH(int, scenario);
        StoreAndImage l;
        TransmissionImage image;
        image.datos[0] = 0x55;
        image.ndatos = 7;
        l.totaldatos = 7;
        if (scenario != 0) {
            openWithMessages(l, path(QTest::currentDataTag()), {texto(1, 1, "A", '0')});
            l.totalmensajes = 1;
        }
        const LoadResult r = cargarcomm(l, image, l.totaldatos);
        QCOMPARE(r.estado, ImageState::NothingToSend);
        if (scenario == 3) {
            QCOMPARE(asHex(image, image.ndatos), QString("00 00"));
        } else {
            QCOMPARE(asHex(image, 0), QString("55"));
            QCOMPARE(image.ndatos, 7);
            QCOMPARE(l.totaldatos, 7);
        }
    }

    // The file alone decides: a buffer left holding a deleted record of presentation 0, or
    // a count of 0, must not hide the active messages.
    void staleBufferOrCountStillBuildsTheFile_data() {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("presentacion");
        QTest::newRow("buffer presentation 0") << 1 << 0;
        QTest::newRow("count 0") << 0 << 1;
    }
    void staleBufferOrCountStillBuildsTheFile() {
        QFETCH(int, total);
        QFETCH(int, presentacion);
        StoreAndImage l;
        openWithMessages(l, path(QTest::currentDataTag()),
                         {texto(1, 2, "AB"), texto(0, 1, "X", '0')});
        l.totalmensajes = static_cast<std::int16_t>(total);
        l.mensaje.presentacion = static_cast<std::int16_t>(presentacion);
        TransmissionImage image;
        const LoadResult r = cargarcomm(l, image, l.totaldatos);
        QCOMPARE(r.estado, ImageState::Ready);
        QCOMPARE(r.activeMessages, 1);
        QCOMPARE(asHex(image, image.ndatos), QString("01 02 41 42 00 00 00"));
    }

    void imageThatDoesNotFitIsRefusedUntouched() {
        const std::string length(130, 'x');
        StoreAndImage l;
        TransmissionImage image;
        // 61 full texts of 133 bytes plus the two closing bytes fit in 8192 slots...
        LoadResult r = build(l, image, "61.men", std::vector(61, texto(1, 1, length)));
        QCOMPARE(r.estado, ImageState::Ready);
        QCOMPARE(image.ndatos, 61 * 133 + 1);
        const auto before = image.datos;
        const std::int16_t totalBefore = l.totaldatos;

        // ...62 do not: nothing is written and the size needed is reported.
        StoreAndImage l2;
        openWithMessages(l2, path("62.men"), std::vector<tipomensaje>(62, texto(1, 1, length)));
        l2.totaldatos = totalBefore;
        r = cargarcomm(l2, image, l2.totaldatos);
        QCOMPARE(r.estado, ImageState::TooLarge);
        QCOMPARE(r.bytesNeeded, 62 * 133 + 2);
        QVERIFY(image.datos == before);
        QCOMPARE(l2.totaldatos, totalBefore);
    }
};

QTEST_APPLESS_MAIN(TransmissionImageTest)
#include "test_transmission_image.moc"
