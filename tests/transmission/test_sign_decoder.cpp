#include "session/lumivel.hpp"
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
struct Enlazado {
    SignResponder signo;
    FakePort puerto;
    std::vector<std::vector<DecodedMessage>> imagenes;
    std::vector<std::string> errores;

    explicit Enlazado(SignFault fallo = {}) : signo(fallo) {
        puerto.responder = [this](std::uint8_t b) {
            const auto r = signo.responder(b);
            if (r.evento == SignDecoder::Event::ImageComplete) {
                imagenes.push_back(signo.decoder().takeImage());
            } else if (r.evento == SignDecoder::Event::Error) {
                errores.push_back(signo.decoder().lastError());
            }
            return r.bytes;
        };
    }

    SendResult enviar(Lumivel& l) {
        TransmissionImage imagen;
        const LoadResult carga = cargarcomm(l, imagen, l.totaldatos);
        TransferObserver nadie;
        return sendImage(puerto, carga, imagen, l.totaldatos, nadie);
    }
};

std::array<std::uint8_t, 64> rampa() {
    std::array<std::uint8_t, 64> c{};
    for (std::size_t k = 0; k < 64; ++k) {
        c[k] = static_cast<std::uint8_t>(k * 4); // includes 0 bytes inside the picture
    }
    return c;
}

void compararCon(const std::vector<DecodedMessage>& recibidos,
                 const std::vector<tipomensaje>& registros) {
    std::vector<tipomensaje> activos;
    for (const auto& r : registros) {
        if (r.isActive()) {
            activos.push_back(r);
        }
    }
    QCOMPARE(recibidos.size(), activos.size());
    for (std::size_t i = 0; i < activos.size(); ++i) {
        QCOMPARE(recibidos[i].imagen, activos[i].isPicture());
        if (activos[i].isPicture()) {
            QVERIFY(recibidos[i].columnas == decodePicture(activos[i].texto));
        } else {
            QCOMPARE(recibidos[i].presentacion, activos[i].presentacion);
            QCOMPARE(recibidos[i].letra, activos[i].letra);
            QCOMPARE(recibidos[i].texto, storedText(activos[i]));
        }
    }
}

} // namespace

class SignDecoderTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

  private slots:
    void decodesWhatTheSenderSends_data() {
        QTest::addColumn<std::vector<tipomensaje>>("registros");
        QTest::newRow("one text") << std::vector{texto(1, 2, "AB")};
        QTest::newRow("empty text and picture")
            << std::vector{texto(3, 4, ""), imagen(rampa()), texto(2, 1, " x ")};
        QTest::newRow("deleted in between")
            << std::vector{texto(1, 1, "a"), texto(1, 1, "gone", '0'), texto(2, 2, "b")};
        // 133-byte texts: several blocks, headers falling inside messages.
        QTest::newRow("several blocks")
            << std::vector<tipomensaje>(10, texto(2, 3, std::string(130, 'w')));
        // 3 x 67 + 52 = 253 message bytes: the end marker is index 253 and the final
        // byte index 254, the last of the first block.
        QTest::newRow("image of exactly 255 bytes") << std::vector{
            imagen(rampa()), imagen(rampa()), imagen(rampa()), texto(1, 1, std::string(49, 'z'))};
        // One more byte: the final 00 goes alone in block 1.
        QTest::newRow("image of 256 bytes") << std::vector{
            imagen(rampa()), imagen(rampa()), imagen(rampa()), texto(1, 1, std::string(50, 'z'))};
    }
    void decodesWhatTheSenderSends() {
        QFETCH(std::vector<tipomensaje>, registros);
        Lumivel l;
        abrirConMensajes(l, dir_.filePath(QTest::currentDataTag()), registros);
        Enlazado enlace;
        QCOMPARE(enlace.enviar(l).outcome, Outcome::Verified);
        QCOMPARE(enlace.errores, std::vector<std::string>{});
        QCOMPARE(enlace.imagenes.size(), std::size_t{1});
        compararCon(enlace.imagenes.front(), registros);
        QVERIFY(enlace.signo.decoder().idle());

        // The same sign takes the next transfer.
        QCOMPARE(enlace.enviar(l).outcome, Outcome::Verified);
        QCOMPARE(enlace.imagenes.size(), std::size_t{2});
    }

    void faultsGiveTheirOutcome_data() {
        QTest::addColumn<QString>("fallo");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("silent") << "silent" << Outcome::NoConnection;
        QTest::newRow("no-hello") << "no-hello" << Outcome::NoConnection;
        QTest::newRow("corrupt:3") << "corrupt:3" << Outcome::WithErrors;
        QTest::newRow("stop:40") << "stop:40" << Outcome::SignSilent;
        QTest::newRow("stop:0") << "stop:0" << Outcome::NoConnection;
    }
    void faultsGiveTheirOutcome() {
        QFETCH(QString, fallo);
        QFETCH(Outcome, outcome);
        const auto f = parseFault(fallo.toStdString());
        QVERIFY(f);
        Lumivel l;
        abrirConMensajes(l, dir_.filePath(QTest::currentDataTag()),
                         std::vector<tipomensaje>(3, texto(1, 1, std::string(40, 'q'))));
        Enlazado enlace(*f);
        const SendResult r = enlace.enviar(l);
        QCOMPARE(r.outcome, outcome);
        if (fallo == "stop:40") { // request and header answered, then 34 image bytes
            QCOMPARE(r.transfer.verified, 34);
        } else if (fallo == "corrupt:3") { // bad echoes: everything is still sent
            QVERIFY(r.transfer.verified > 0);
            QCOMPARE(r.transfer.sent, r.transfer.imageBytes);
        }
    }

    // After a failed connection check the sender starts again; a bad header is refused.
    void newRequestRestartsAnAbandonedTransfer() {
        SignDecoder d;
        const auto recibir = [&](std::initializer_list<int> bytes) {
            SignDecoder::Event ultimo = SignDecoder::Event::None;
            for (const int b : bytes) {
                ultimo = d.recibir(static_cast<std::uint8_t>(b));
            }
            return ultimo;
        };
        recibir({'c', 'w', 0xFF, 0, 0, 0, 1, 1, 'h'});
        d.reset();
        QVERIFY(d.idle());
        QCOMPARE(recibir({'c'}), SignDecoder::Event::Request);
        QCOMPARE(recibir({'c'}), SignDecoder::Event::Request);
        QCOMPARE(recibir({'w', 0xFF, 0, 0, 0, 2, 3, 'k', 0, 0}), SignDecoder::Event::ImageComplete);
        const auto mensajes = d.takeImage();
        QCOMPARE(mensajes.size(), std::size_t{1});
        QCOMPARE(mensajes[0].texto, std::string("k"));
        QCOMPARE(recibir({'c', 'w', 0x00}), SignDecoder::Event::Error);
        QVERIFY(d.idle());
    }
};

QTEST_APPLESS_MAIN(SignDecoderTest)
#include "test_sign_decoder.moc"
