#include "transmission/fake_port.hpp"
#include "transmission/parallel_send.hpp"
#include "transmission/sign_link.hpp"

#include <QtTest>

using namespace lumivel;

namespace {

TransmissionImage imagenDe(const std::vector<int>& bytes) {
    TransmissionImage imagen;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        imagen.datos[i] = static_cast<std::int16_t>(bytes[i]);
    }
    imagen.ndatos = static_cast<std::int16_t>(bytes.size() - 1);
    return imagen;
}

LoadResult lista() {
    LoadResult carga;
    carga.estado = ImageState::Ready;
    return carga;
}

std::string bytes(std::initializer_list<int> valores) {
    std::string s;
    for (const int v : valores) {
        s += static_cast<char>(v);
    }
    return s;
}

enum class Linea { Saludo, EcoCambiado, SinEcoParaE, NueveSilencios, CallaTras26, PuertoSeVa };

// Records what the window would see.
struct Registro : TransferObserver {
    int conexiones = 0;
    int errores = 0;
    int maximo_ = -1;
    int ultimo = -1;
    void connected() override { ++conexiones; }
    void setMaximum(int t) override { maximo_ = t; }
    void progress(int i) override { ultimo = i; }
    void dataError() override { ++errores; }
};

SendResult enviarA(FakePort& puerto, const std::vector<int>& datos, Registro& registro) {
    const TransmissionImage imagen = imagenDe(datos);
    return sendImage(puerto, lista(), imagen, imagen.ndatos, registro);
}

} // namespace

class SignLinkTest : public QObject {
    Q_OBJECT
  private slots:
    void sendsConnectionRequestHeaderAndImage() {
        FakePort puerto;
        Registro registro;
        const auto r = enviarA(puerto, {1, 2, 0x41, 0x42, 0, 0, 0}, registro);
        QCOMPARE(r.outcome, Outcome::Verified);
        QCOMPARE(puerto.written, bytes({0x63, 0x77, 0xFF, 0, 0, 0, 1, 2, 0x41, 0x42, 0, 0, 0}));
        QCOMPARE(registro.maximo_, 6);
        QCOMPARE(registro.ultimo, 6);
        QCOMPARE(r.transfer.verified, 7);
        QCOMPARE(puerto.closes, 1);
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
        QCOMPARE(pendientes, puerto.written.size());
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
        QCOMPARE(enviarA(puerto, datos, registro).outcome, Outcome::Verified);
        QList<int> encontradas;
        for (std::size_t p = 0; p < puerto.written.size(); ++p) {
            if (puerto.written[p] == 'w') {
                encontradas << static_cast<int>(p);
            }
        }
        QCOMPARE(encontradas, cabeceras);
        for (int b = 0; b < cabeceras.size(); ++b) {
            const auto p = static_cast<std::size_t>(cabeceras[b]);
            QCOMPARE(puerto.written.substr(p, 5), bytes({0x77, 0xFF, b, 0, 0}));
        }
        QCOMPARE(static_cast<int>(puerto.written.size()), 1 + tamano + 5 * cabeceras.size());
    }

    // A faulty line: no connection unless the request is answered with exactly "c"; the
    // transfer goes on after a bad or missing echo (reported once), ends after ten silences in
    // a row or when the port goes away, and always closes the port.
    void faultyLine_data() {
        QTest::addColumn<Linea>("linea");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<int>("verified"); // -1: any
        QTest::addColumn<int>("escritos");
        QTest::addColumn<QByteArray>("saludo");
        for (const char* saludo : {"cc", "C", "?", ""}) {
            QTest::addRow("answers the request with \"%s\"", saludo)
                << Linea::Saludo << Outcome::NoConnection << 0 << 1 << QByteArray(saludo);
        }
        // 100 image bytes: the request, one header and the image are 106 bytes on the wire.
        QTest::newRow("every echo differs")
            << Linea::EcoCambiado << Outcome::WithErrors << 0 << 106 << QByteArray();
        // 0x45 is the "E" of the time-out text; it must still count as unanswered.
        QTest::newRow("no echo for one byte")
            << Linea::SinEcoParaE << Outcome::WithErrors << 99 << 106 << QByteArray();
        QTest::newRow("nine silences at a time")
            << Linea::NueveSilencios << Outcome::WithErrors << -1 << 106 << QByteArray();
        QTest::newRow("sign falls silent") << Linea::CallaTras26 << Outcome::SignSilent << 20
                                           << 26 + kSilencesInARow << QByteArray();
        QTest::newRow("port lost")
            << Linea::PuertoSeVa << Outcome::PortLost << 24 << 30 << QByteArray();
    }
    void faultyLine() {
        QFETCH(Linea, linea);
        QFETCH(Outcome, outcome);
        QFETCH(int, verified);
        QFETCH(int, escritos);
        QFETCH(QByteArray, saludo);
        FakePort puerto;
        int n = 0;
        puerto.responder = [&](std::uint8_t b) {
            ++n;
            const std::string eco(1, static_cast<char>(b));
            switch (linea) {
            case Linea::Saludo:
                return saludo.toStdString();
            case Linea::EcoCambiado:
                return n == 1 ? eco : std::string(1, static_cast<char>(b ^ 0x01));
            case Linea::SinEcoParaE:
                return b == 0x45 ? std::string() : eco;
            case Linea::NueveSilencios:
                return (n % 10 != 0 && n > 1) ? std::string() : eco;
            case Linea::CallaTras26:
                return n <= 26 ? eco : std::string();
            case Linea::PuertoSeVa:
                break;
            }
            return eco;
        };
        if (linea == Linea::PuertoSeVa) {
            puerto.loseAfterWritten = 30;
        }
        std::vector<int> datos(100, 7);
        datos[2] = 0x45;
        Registro registro;
        const auto r = enviarA(puerto, datos, registro);
        QCOMPARE(r.outcome, outcome);
        if (verified >= 0) {
            QCOMPARE(r.transfer.verified, verified);
        }
        QCOMPARE(static_cast<int>(puerto.written.size()), escritos);
        QCOMPARE(puerto.closes, 1);
        QCOMPARE(registro.conexiones, outcome == Outcome::NoConnection ? 0 : 1);
        const bool conErrores = outcome == Outcome::WithErrors;
        if (conErrores) {
            QCOMPARE(registro.errores, 1);
        }
        // Data errors are the observer's to show; the other endings have their own box.
        QCOMPARE(outcomeBox(r, lista(), puerto.nombre()).has_value(), !conErrores);
    }

    // Bytes left on the line (a chattering sign, a transfer killed half way) are not taken for
    // the answer to the request, nor shift the echoes after it.
    void staleInputIsDiscardedBeforeTheRequest() {
        FakePort puerto;
        puerto.staleInput = "\x07xyz";
        Registro registro;
        const auto r = enviarA(puerto, {1, 2, 0x41, 0, 0, 0}, registro);
        QCOMPARE(r.outcome, Outcome::Verified);
        QCOMPARE(r.transfer.verified, 6);
        QCOMPARE(puerto.descartes, 1);
    }

    void portThatCannotBeOpenedSendsNothing() {
        FakePort puerto;
        puerto.deviceName = "/dev/ttyS3";
        puerto.openError = "permiso denegado";
        Registro registro;
        const auto r = enviarA(puerto, {1, 1, 0, 0, 0}, registro);
        QCOMPARE(r.outcome, Outcome::PortNotOpened);
        QVERIFY(puerto.written.empty());
        const auto caja = outcomeBox(r, lista(), puerto.nombre());
        QVERIFY(caja);
        QVERIFY(caja->texto.find("/dev/ttyS3: permiso denegado") != std::string::npos);
    }

    void interruptedTransferStopsAndClosesThePort() {
        struct Cortar : Registro {
            bool shouldStop() override { return ultimo >= 9; }
        } cortar;
        FakePort puerto;
        const TransmissionImage imagen = imagenDe(std::vector<int>(300, 5));
        const auto r = sendImage(puerto, lista(), imagen, imagen.ndatos, cortar);
        QCOMPARE(r.outcome, Outcome::Stopped);
        QCOMPARE(r.transfer.sent, 10);
        QCOMPARE(puerto.closes, 1);
        QVERIFY(!outcomeBox(r, lista(), puerto.nombre()));
    }

    void neverReadsBeyondTheImage() {
        FakePort puerto;
        Registro registro;
        const TransmissionImage imagen = imagenDe({1, 1, 0, 0, 0});
        const auto r = sendImage(puerto, lista(), imagen, 20000, registro);
        QCOMPARE(r.transfer.sent, TransmissionImage::kCapacity);
    }

    // Several signs at once: a missing port and a sign with a wrong echo leave the others'
    // transfers whole, and each result stays with its own port.
    void eachPortGetsTheWholeImageWhateverTheOthersDo() {
        FakePort buena, cambiada, ausente, otra;
        cambiada.responder = [](std::uint8_t b) { return std::string(1, b == 0x41 ? 'X' : b); };
        ausente.openError = "el dispositivo no existe";
        const TransmissionImage imagen = imagenDe(std::vector<int>(600, 0x41));
        const auto r =
            sendToEach({&buena, &cambiada, &ausente, &otra}, lista(), imagen, imagen.ndatos);
        QCOMPARE(r.size(), std::size_t{4});
        QCOMPARE(r[0].outcome, Outcome::Verified);
        QCOMPARE(r[1].outcome, Outcome::WithErrors);
        QCOMPARE(r[1].transfer.firstError, 0);
        QCOMPARE(r[2].outcome, Outcome::PortNotOpened);
        QCOMPARE(r[3].outcome, Outcome::Verified);
        QCOMPARE(r[3].transfer.verified, 600);
        QCOMPARE(buena.written, otra.written);
        QCOMPARE(buena.written.size(), std::size_t{1 + 600 + 3 * 5});
        QVERIFY(ausente.written.empty());
        QCOMPARE(buena.closes + cambiada.closes + otra.closes, 3);
    }
};

QTEST_APPLESS_MAIN(SignLinkTest)
#include "test_sign_link.moc"
