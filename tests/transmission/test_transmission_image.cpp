#include "support/metatypes.hpp"
#include "transmission/transmission_image.hpp"

#include "support/message_fixture.hpp"

#include <QtTest>

using namespace lumivel;
using namespace lumivel::test;

namespace {

QString enHex(const TransmissionImage& imagen, int ultimo) {
    QStringList bytes;
    for (int i = 0; i <= ultimo; ++i) {
        bytes << QStringLiteral("%1")
                     .arg(imagen.datos[static_cast<std::size_t>(i)], 2, 16, QLatin1Char('0'))
                     .toUpper();
    }
    return bytes.join(' ');
}

} // namespace

class TransmissionImageTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString ruta(const char* nombre) { return dir_.filePath(nombre); }
    // Opens `registros` in `l` under `nombre` and builds the image from them.
    LoadResult construir(Lumivel& l, TransmissionImage& imagen, const char* nombre,
                         const std::vector<tipomensaje>& registros) {
        abrirConMensajes(l, ruta(nombre), registros);
        return cargarcomm(l, imagen, l.totaldatos);
    }

  private slots:
    void encodesActiveRecords_data() {
        QTest::addColumn<std::vector<tipomensaje>>("registros");
        QTest::addColumn<QString>("esperado");
        const QString pic = "FF FF 00 0F FF" + QString(" 00").repeated(60) + " 81 00 00 00";
        QTest::newRow("AB") << std::vector{texto(1, 2, "AB")} << "01 02 41 42 00 00 00";
        QTest::newRow("trailing spaces dropped")
            << std::vector{texto(3, 1, "A  ")} << "03 01 41 00 00 00";
        QTest::newRow("leading and inner spaces kept")
            << std::vector{texto(2, 4, " A B")} << "02 04 20 41 20 42 00 00 00";
        QTest::newRow("empty text") << std::vector{texto(1, 1, "")} << "01 01 00 00 00";
        QTest::newRow("picture") << std::vector{imagen(samplePicture())} << pic;
        QTest::newRow("picture whatever its presentation and font")
            << std::vector{imagen(samplePicture(), 10, 3)} << pic;
        QTest::newRow("deleted record skipped")
            << std::vector{texto(1, 1, "X", '0'), texto(1, 2, "AB")} << "01 02 41 42 00 00 00";
        QTest::newRow("windows-1252 byte")
            << std::vector{texto(1, 1, "\xF1")} << "01 01 F1 00 00 00";
    }
    void encodesActiveRecords() {
        QFETCH(std::vector<tipomensaje>, registros);
        QFETCH(QString, esperado);
        Lumivel l;
        TransmissionImage imagen;
        QCOMPARE(construir(l, imagen, QTest::currentDataTag(), registros).estado,
                 ImageState::Ready);
        const int ultimo = static_cast<int>(esperado.split(' ').size()) - 1;
        QCOMPARE(imagen.ndatos, ultimo);
        QCOMPARE(l.totaldatos, ultimo);
        QCOMPARE(enHex(imagen, ultimo), esperado);
        // The buffer ends holding the file's last record.
        QCOMPARE(l.mensaje.estado, registros.back().estado);
    }

    // Nothing to send: a skipped build keeps the previous image; a stale count must not make
    // an image of deleted records look sendable.
    void nothingToSend_data() {
        QTest::addColumn<int>("caso");
        QTest::newRow("no file open") << 0;
        QTest::newRow("only deleted records, stale count") << 3;
    }
    void nothingToSend() {
        QFETCH(int, caso);
        Lumivel l;
        TransmissionImage imagen;
        imagen.datos[0] = 0x55;
        imagen.ndatos = 7;
        l.totaldatos = 7;
        if (caso != 0) {
            abrirConMensajes(l, ruta(QTest::currentDataTag()), {texto(1, 1, "A", '0')});
            l.totalmensajes = 1;
        }
        const LoadResult r = cargarcomm(l, imagen, l.totaldatos);
        QCOMPARE(r.estado, ImageState::NothingToSend);
        if (caso == 3) {
            QCOMPARE(enHex(imagen, imagen.ndatos), QString("00 00"));
        } else {
            QCOMPARE(enHex(imagen, 0), QString("55"));
            QCOMPARE(imagen.ndatos, 7);
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
        Lumivel l;
        abrirConMensajes(l, ruta(QTest::currentDataTag()),
                         {texto(1, 2, "AB"), texto(0, 1, "X", '0')});
        l.totalmensajes = static_cast<std::int16_t>(total);
        l.mensaje.presentacion = static_cast<std::int16_t>(presentacion);
        TransmissionImage imagen;
        const LoadResult r = cargarcomm(l, imagen, l.totaldatos);
        QCOMPARE(r.estado, ImageState::Ready);
        QCOMPARE(r.activeMessages, 1);
        QCOMPARE(enHex(imagen, imagen.ndatos), QString("01 02 41 42 00 00 00"));
    }

    void imageThatDoesNotFitIsRefusedUntouched() {
        const std::string largo(130, 'x');
        Lumivel l;
        TransmissionImage imagen;
        // 61 full texts of 133 bytes plus the two closing bytes fit in 8192 slots...
        LoadResult r = construir(l, imagen, "61.men", std::vector(61, texto(1, 1, largo)));
        QCOMPARE(r.estado, ImageState::Ready);
        QCOMPARE(imagen.ndatos, 61 * 133 + 1);
        const auto antes = imagen.datos;
        const std::int16_t totalAntes = l.totaldatos;

        // ...62 do not: nothing is written and the size needed is reported.
        Lumivel l2;
        abrirConMensajes(l2, ruta("62.men"), std::vector<tipomensaje>(62, texto(1, 1, largo)));
        l2.totaldatos = totalAntes;
        r = cargarcomm(l2, imagen, l2.totaldatos);
        QCOMPARE(r.estado, ImageState::TooLarge);
        QCOMPARE(r.bytesNeeded, 62 * 133 + 2);
        QVERIFY(imagen.datos == antes);
        QCOMPARE(l2.totaldatos, totalAntes);
    }
};

QTEST_APPLESS_MAIN(TransmissionImageTest)
#include "test_transmission_image.moc"
