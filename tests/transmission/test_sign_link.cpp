#include "transmission/fake_port.hpp"
#include "transmission/sign_link.hpp"

#include <QtTest>

using namespace lumivel;

namespace {

ImagenTransmision imagenDe(const std::vector<int>& bytes) {
    ImagenTransmision imagen;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        imagen.datos[i] = static_cast<std::int16_t>(bytes[i]);
    }
    imagen.ndatos = static_cast<std::int16_t>(bytes.size() - 1);
    return imagen;
}

ResultadoCarga lista() {
    ResultadoCarga carga;
    carga.estado = EstadoImagen::Lista;
    return carga;
}

std::string bytes(std::initializer_list<int> valores) {
    std::string s;
    for (const int v : valores) {
        s += static_cast<char>(v);
    }
    return s;
}

// Records what the window would see.
struct Registro : ObservadorEnvio {
    int conexiones = 0;
    int errores = 0;
    int maximo_ = -1;
    int ultimo = -1;
    void conectado() override { ++conexiones; }
    void maximo(int t) override { maximo_ = t; }
    void progreso(int i) override { ultimo = i; }
    void errorDeDatos() override { ++errores; }
};

ResultadoEnvio enviarA(FakePort& puerto, const std::vector<int>& datos, Registro& registro) {
    const ImagenTransmision imagen = imagenDe(datos);
    return enviarImagen(puerto, lista(), imagen, imagen.ndatos, registro);
}

} // namespace

class SignLinkTest : public QObject {
    Q_OBJECT
  private slots:
    void sendsConnectionRequestHeaderAndImage() {
        FakePort puerto;
        Registro registro;
        const auto r = enviarA(puerto, {1, 2, 0x41, 0x42, 0, 0, 0}, registro);
        QCOMPARE(r.desenlace, Desenlace::Verificado);
        QCOMPARE(puerto.escrito, bytes({0x63, 0x77, 0xFF, 0, 0, 0, 1, 2, 0x41, 0x42, 0, 0, 0}));
        QCOMPARE(registro.conexiones, 1);
        QCOMPARE(registro.maximo_, 6);
        QCOMPARE(registro.ultimo, 6);
        QCOMPARE(r.transmision.verificados, 7);
        QCOMPARE(puerto.aperturas, 1);
        QCOMPARE(puerto.cierres, 1);
    }

    void everyWriteWaitsForItsReply() {
        // The fake answers each byte at once; a second write before the read would leave
        // two replies pending and the first character would no longer be this byte's.
        FakePort puerto;
        std::size_t pendientes = 0;
        puerto.responder = [&](std::uint8_t b) {
            ++pendientes;
            return std::string(1, static_cast<char>(b));
        };
        Registro registro;
        enviarA(puerto, {9, 9, 0, 0, 0}, registro);
        QCOMPARE(pendientes, puerto.escrito.size());
    }

    void blockHeadersEvery255Bytes_data() {
        QTest::addColumn<int>("tamano");
        QTest::addColumn<QList<int>>("cabeceras"); // wire offsets of each "w"
        // Wire: "c" at 0, first header at 1..5, image index i at 6 + i (+5 per later header).
        QTest::newRow("255 bytes, one header") << 255 << QList<int>{1};
        QTest::newRow("256 bytes, second header before index 255") << 256 << QList<int>{1, 261};
        QTest::newRow("510 bytes, no trailing header") << 510 << QList<int>{1, 261};
        QTest::newRow("511 bytes, third header") << 511 << QList<int>{1, 261, 521};
    }
    void blockHeadersEvery255Bytes() {
        QFETCH(int, tamano);
        QFETCH(QList<int>, cabeceras);
        // Image bytes never equal "w" here, so every "w" on the wire starts a header.
        std::vector<int> datos(static_cast<std::size_t>(tamano));
        for (int i = 0; i < tamano; ++i) {
            datos[static_cast<std::size_t>(i)] = i % 100;
        }
        FakePort puerto;
        Registro registro;
        QCOMPARE(enviarA(puerto, datos, registro).desenlace, Desenlace::Verificado);
        QList<int> encontradas;
        for (std::size_t p = 0; p < puerto.escrito.size(); ++p) {
            if (puerto.escrito[p] == 'w') {
                encontradas << static_cast<int>(p);
            }
        }
        QCOMPARE(encontradas, cabeceras);
        for (int b = 0; b < cabeceras.size(); ++b) {
            const auto p = static_cast<std::size_t>(cabeceras[b]);
            QCOMPARE(puerto.escrito.substr(p, 5), bytes({0x77, 0xFF, b, 0, 0}));
        }
        QCOMPARE(static_cast<int>(puerto.escrito.size()), 1 + tamano + 5 * cabeceras.size());
    }

    void connectionRefusedUnlessReplyIsExactlyC_data() {
        QTest::addColumn<QByteArray>("respuesta");
        QTest::newRow("cc") << QByteArray("cc");
        QTest::newRow("C") << QByteArray("C");
        QTest::newRow("other") << QByteArray("?");
        QTest::newRow("time-out") << QByteArray();
    }
    void connectionRefusedUnlessReplyIsExactlyC() {
        QFETCH(QByteArray, respuesta);
        FakePort puerto;
        puerto.responder = [&](std::uint8_t) { return respuesta.toStdString(); };
        Registro registro;
        const auto r = enviarA(puerto, {1, 1, 0, 0, 0}, registro);
        QCOMPARE(r.desenlace, Desenlace::SinConexion);
        QCOMPARE(puerto.escrito, std::string("c"));
        QCOMPARE(registro.conexiones, 0);
        QCOMPARE(puerto.cierres, 1);
        const auto caja = cajaDesenlace(r, lista(), puerto.nombre());
        QVERIFY(caja);
        QCOMPARE(caja->titulo, cajaSinConexion().titulo);
    }

    void connectionFailureBoxIsWordForWord() {
        const CajaMensaje caja = cajaSinConexion();
        QCOMPARE(caja.titulo, std::string("¡¡¡¡ Error en la Comunicacion !!!"));
        QCOMPARE(caja.icono, Icono::Critico);
        QCOMPARE(caja.botones, Botones::Aceptar);
        const QStringList lineas = QString::fromStdString(caja.texto).split("\r\n");
        QCOMPARE(lineas.size(), 10);
        QVERIFY(lineas[1].isEmpty() && lineas[8].isEmpty());
        QVERIFY(lineas[2].endsWith("bien colocado "));
        QVERIFY(!caja.texto.ends_with('\n'));
        QVERIFY(lineas[9].endsWith("M O L E S T I A S"));

        const CajaMensaje datos = cajaErrorDeDatos();
        QCOMPARE(datos.titulo, std::string("Error en la TX y RX de datos"));
        QCOMPARE(datos.icono, Icono::Exclamacion);
        QCOMPARE(QString::fromStdString(datos.texto).split("\r\n").size(), 4);
    }

    void everyEchoDifferingReportsOnceAndSendsEverything() {
        FakePort puerto;
        bool saludo = true;
        puerto.responder = [&](std::uint8_t b) {
            const bool primero = std::exchange(saludo, false);
            return std::string(1, static_cast<char>(primero ? b : b ^ 0x01));
        };
        Registro registro;
        const auto r = enviarA(puerto, {1, 2, 3, 4, 0, 0, 0}, registro);
        QCOMPARE(r.desenlace, Desenlace::ConErrores);
        QCOMPARE(registro.errores, 1);
        QCOMPARE(r.transmision.enviados, 7);
        QCOMPARE(r.transmision.verificados, 0);
        QCOMPARE(puerto.escrito.size(), std::size_t{1 + 5 + 7});
        QVERIFY(!cajaDesenlace(r, lista(), puerto.nombre()));
    }

    void timeOutNeverVerifiesAByte() {
        // 0x45 is the "E" of the time-out text; it must still count as unanswered.
        FakePort puerto;
        puerto.responder = [](std::uint8_t b) {
            return b == 0x45 ? std::string() : std::string(1, static_cast<char>(b));
        };
        Registro registro;
        const auto r = enviarA(puerto, {1, 1, 0x45, 0, 0, 0}, registro);
        QCOMPARE(r.desenlace, Desenlace::ConErrores);
        QCOMPARE(registro.errores, 1);
        QCOMPARE(r.transmision.verificados, 5);
    }

    void silentSignEndsTheTransferAfterTenTimeOuts() {
        FakePort puerto;
        std::size_t recibidos = 0;
        // Answers the request, the header and 20 image bytes, then nothing.
        puerto.responder = [&](std::uint8_t b) {
            return ++recibidos <= 26 ? std::string(1, static_cast<char>(b)) : std::string();
        };
        Registro registro;
        const auto r = enviarA(puerto, std::vector<int>(600, 7), registro);
        QCOMPARE(r.desenlace, Desenlace::SignoMudo);
        QCOMPARE(r.transmision.verificados, 20);
        QCOMPARE(puerto.escrito.size(), std::size_t{26 + kSilenciosSeguidos});
        QCOMPARE(puerto.cierres, 1);
        const auto caja = cajaDesenlace(r, lista(), puerto.nombre());
        QVERIFY(caja);
        QVERIFY(caja->texto.find("20 de 600 bytes") != std::string::npos);
    }

    void isolatedTimeOutsDoNotStopTheTransfer() {
        FakePort puerto;
        int n = 0;
        // Nine silences in a row, then an answer, repeatedly.
        puerto.responder = [&](std::uint8_t b) {
            return (++n % 10 != 0 && n > 1) ? std::string() : std::string(1, static_cast<char>(b));
        };
        Registro registro;
        const auto r = enviarA(puerto, std::vector<int>(100, 1), registro);
        QCOMPARE(r.desenlace, Desenlace::ConErrores);
        QCOMPARE(r.transmision.enviados, 100);
    }

    void portThatCannotBeOpenedSendsNothing() {
        FakePort puerto;
        puerto.nombreDispositivo = "/dev/ttyS3";
        puerto.errorAlAbrir = "permiso denegado";
        Registro registro;
        const auto r = enviarA(puerto, {1, 1, 0, 0, 0}, registro);
        QCOMPARE(r.desenlace, Desenlace::PuertoNoAbre);
        QVERIFY(puerto.escrito.empty());
        const auto caja = cajaDesenlace(r, lista(), puerto.nombre());
        QVERIFY(caja);
        QVERIFY(caja->texto.find("/dev/ttyS3: permiso denegado") != std::string::npos);
    }

    void lostPortEndsTheTransferOnce() {
        FakePort puerto;
        puerto.perderTrasEscritos = 30;
        Registro registro;
        const auto r = enviarA(puerto, std::vector<int>(100, 1), registro);
        QCOMPARE(r.desenlace, Desenlace::PuertoPerdido);
        QCOMPARE(puerto.escrito.size(), std::size_t{30});
        QCOMPARE(r.transmision.verificados, 24);
        QCOMPARE(puerto.cierres, 1);
    }

    void imageNotReadyIsNeverSent_data() {
        QTest::addColumn<EstadoImagen>("estado");
        QTest::addColumn<Desenlace>("desenlace");
        QTest::newRow("nothing to send") << EstadoImagen::NadaQueEnviar << Desenlace::NadaQueEnviar;
        QTest::newRow("does not fit") << EstadoImagen::Excede << Desenlace::Excede;
        QTest::newRow("read error") << EstadoImagen::ErrorLectura << Desenlace::ErrorLectura;
    }
    void imageNotReadyIsNeverSent() {
        QFETCH(EstadoImagen, estado);
        QFETCH(Desenlace, desenlace);
        ResultadoCarga carga;
        carga.estado = estado;
        carga.bytesNecesarios = 8248;
        FakePort puerto;
        Registro registro;
        const ImagenTransmision imagen = imagenDe({1, 1, 0, 0, 0});
        const auto r = enviarImagen(puerto, carga, imagen, 4, registro);
        QCOMPARE(r.desenlace, desenlace);
        QCOMPARE(puerto.aperturas, 0);
        QVERIFY(puerto.escrito.empty());
        const auto caja = cajaDesenlace(r, carga, puerto.nombre());
        QVERIFY(caja);
        if (estado == EstadoImagen::Excede) {
            QVERIFY(caja->texto.find("8248") != std::string::npos);
        }
    }

    void interruptedTransferStopsAndClosesThePort() {
        struct Cortar : Registro {
            bool interrumpir() override { return ultimo >= 9; }
        } cortar;
        FakePort puerto;
        const ImagenTransmision imagen = imagenDe(std::vector<int>(300, 5));
        const auto r = enviarImagen(puerto, lista(), imagen, imagen.ndatos, cortar);
        QCOMPARE(r.desenlace, Desenlace::Interrumpido);
        QCOMPARE(r.transmision.enviados, 10);
        QCOMPARE(puerto.cierres, 1);
        QVERIFY(!cajaDesenlace(r, lista(), puerto.nombre()));
    }

    void neverReadsBeyondTheImage() {
        FakePort puerto;
        Registro registro;
        const ImagenTransmision imagen = imagenDe({1, 1, 0, 0, 0});
        const auto r = enviarImagen(puerto, lista(), imagen, 20000, registro);
        QCOMPARE(r.transmision.enviados, ImagenTransmision::kCapacidad);
    }
};

QTEST_APPLESS_MAIN(SignLinkTest)
#include "test_sign_link.moc"
