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
    std::vector<std::vector<MensajeDecodificado>> imagenes;
    std::vector<std::string> errores;

    explicit Enlazado(FalloSigno fallo = {}) : signo(fallo) {
        puerto.responder = [this](std::uint8_t b) {
            const auto r = signo.responder(b);
            if (r.evento == SignDecoder::Evento::ImagenCompleta) {
                imagenes.push_back(signo.decoder().tomarImagen());
            } else if (r.evento == SignDecoder::Evento::Error) {
                errores.push_back(signo.decoder().ultimoError());
            }
            return r.bytes;
        };
    }

    ResultadoEnvio enviar(Lumivel& l) {
        ImagenTransmision imagen;
        const ResultadoCarga carga = cargarcomm(l, imagen, l.totaldatos);
        ObservadorEnvio nadie;
        return enviarImagen(puerto, carga, imagen, l.totaldatos, nadie);
    }
};

std::array<std::uint8_t, 64> rampa() {
    std::array<std::uint8_t, 64> c{};
    for (std::size_t k = 0; k < 64; ++k) {
        c[k] = static_cast<std::uint8_t>(k * 4); // includes 0 bytes inside the picture
    }
    return c;
}

void compararCon(const std::vector<MensajeDecodificado>& recibidos,
                 const std::vector<tipomensaje>& registros) {
    std::vector<tipomensaje> activos;
    for (const auto& r : registros) {
        if (r.activo()) {
            activos.push_back(r);
        }
    }
    QCOMPARE(recibidos.size(), activos.size());
    for (std::size_t i = 0; i < activos.size(); ++i) {
        QCOMPARE(recibidos[i].imagen, activos[i].esImagen());
        if (activos[i].esImagen()) {
            QVERIFY(recibidos[i].columnas == decodificarImagen(activos[i].texto));
        } else {
            QCOMPARE(recibidos[i].presentacion, activos[i].presentacion);
            QCOMPARE(recibidos[i].letra, activos[i].letra);
            QCOMPARE(recibidos[i].texto, textoLeido(activos[i]));
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
        QCOMPARE(enlace.enviar(l).desenlace, Desenlace::Verificado);
        QCOMPARE(enlace.errores, std::vector<std::string>{});
        QCOMPARE(enlace.imagenes.size(), std::size_t{1});
        compararCon(enlace.imagenes.front(), registros);
        QVERIFY(enlace.signo.decoder().enReposo());

        // The same sign takes the next transfer.
        QCOMPARE(enlace.enviar(l).desenlace, Desenlace::Verificado);
        QCOMPARE(enlace.imagenes.size(), std::size_t{2});
    }

    void faultsGiveTheirOutcome_data() {
        QTest::addColumn<QString>("fallo");
        QTest::addColumn<Desenlace>("desenlace");
        QTest::newRow("silent") << "silent" << Desenlace::SinConexion;
        QTest::newRow("no-hello") << "no-hello" << Desenlace::SinConexion;
        QTest::newRow("corrupt:3") << "corrupt:3" << Desenlace::ConErrores;
        QTest::newRow("stop:40") << "stop:40" << Desenlace::SignoMudo;
        QTest::newRow("stop:0") << "stop:0" << Desenlace::SinConexion;
    }
    void faultsGiveTheirOutcome() {
        QFETCH(QString, fallo);
        QFETCH(Desenlace, desenlace);
        const auto f = interpretarFallo(fallo.toStdString());
        QVERIFY(f);
        Lumivel l;
        abrirConMensajes(l, dir_.filePath(QTest::currentDataTag()),
                         std::vector<tipomensaje>(3, texto(1, 1, std::string(40, 'q'))));
        Enlazado enlace(*f);
        const ResultadoEnvio r = enlace.enviar(l);
        QCOMPARE(r.desenlace, desenlace);
        if (fallo == "stop:40") { // request and header answered, then 34 image bytes
            QCOMPARE(r.transmision.verificados, 34);
        } else if (fallo == "corrupt:3") { // bad echoes: everything is still sent
            QVERIFY(r.transmision.verificados > 0);
            QCOMPARE(r.transmision.enviados, r.transmision.bytesImagen);
        }
    }

    void faultNames() {
        for (const char* valido : {"silent", "no-hello", "corrupt:1", "stop:0"}) {
            QVERIFY2(interpretarFallo(valido), valido);
        }
        for (const char* malo : {"corrupt:0", "stop:-1", "stop:x", "stop:", "loud"}) {
            QVERIFY2(!interpretarFallo(malo), malo);
        }
    }

    // After a failed connection check the sender starts again; a bad header is refused.
    void newRequestRestartsAnAbandonedTransfer() {
        SignDecoder d;
        const auto recibir = [&](std::initializer_list<int> bytes) {
            SignDecoder::Evento ultimo = SignDecoder::Evento::Nada;
            for (const int b : bytes) {
                ultimo = d.recibir(static_cast<std::uint8_t>(b));
            }
            return ultimo;
        };
        recibir({'c', 'w', 0xFF, 0, 0, 0, 1, 1, 'h'});
        d.reiniciar();
        QVERIFY(d.enReposo());
        QCOMPARE(recibir({'c'}), SignDecoder::Evento::Solicitud);
        QCOMPARE(recibir({'c'}), SignDecoder::Evento::Solicitud);
        QCOMPARE(recibir({'w', 0xFF, 0, 0, 0, 2, 3, 'k', 0, 0}),
                 SignDecoder::Evento::ImagenCompleta);
        const auto mensajes = d.tomarImagen();
        QCOMPARE(mensajes.size(), std::size_t{1});
        QCOMPARE(mensajes[0].texto, std::string("k"));
        QCOMPARE(recibir({'c', 'w', 0x00}), SignDecoder::Evento::Error);
        QVERIFY(d.enReposo());
    }

    void json() {
        MensajeDecodificado t;
        t.presentacion = 2;
        t.letra = 4;
        t.texto = "a\"b\\\xF1\x01";
        const std::string esperado = std::string("{\"kind\":\"text\",\"presentacion\":2,") +
                                     "\"letra\":4,\"texto\":\"a\\\"b\\\\\xC3\xB1\\u0001\"}";
        QCOMPARE(comoJson(t), esperado);
        MensajeDecodificado p;
        p.imagen = true;
        p.presentacion = p.letra = 255;
        p.columnas[0] = 255;
        const std::string json = comoJson(p);
        const std::string inicio =
            "{\"kind\":\"picture\",\"presentacion\":255,\"letra\":255,\"columns\":[255,0,";
        QVERIFY(json.starts_with(inicio));
        QVERIFY(json.ends_with(",0]}"));
    }
};

QTEST_APPLESS_MAIN(SignDecoderTest)
#include "test_sign_decoder.moc"
