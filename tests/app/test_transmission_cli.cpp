#include "support/command_line.hpp"
#include "support/message_fixture.hpp"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace lumivel;
using namespace lumivel::test;

namespace {

// A virtual sign in its own process, for as long as the object lives. Transfers to it allow
// a longer wait for each echo than the sign's 100 ms: a busy test machine can stall a
// process that long, which would be a true echo error on a real line.
class Letrero {
  public:
    explicit Letrero(const QStringList& opciones = {}) {
        proceso_.start(programa(), QStringList{"sign"} + opciones);
        QDeadlineTimer plazo(20000);
        while (!proceso_.canReadLine() && !plazo.hasExpired()) {
            proceso_.waitForReadyRead(static_cast<int>(plazo.remainingTime()));
        }
        path_ = QString::fromUtf8(proceso_.readLine()).trimmed();
    }
    ~Letrero() {
        proceso_.terminate();
        if (!proceso_.waitForFinished(10000)) {
            proceso_.kill();
            proceso_.waitForFinished();
        }
    }
    Letrero(const Letrero&) = delete;
    Letrero& operator=(const Letrero&) = delete;

    const QString& ruta() const { return path_; }
    Salida enviar(const QString& archivo, const char* espera = "2000") {
        return ejecutar({"send", "--port", path_, "--espera", espera, archivo});
    }
    // The JSON lines printed so far, waiting up to the deadline for `cuantas` of them.
    QList<QJsonObject> mensajes(int cuantas) {
        QDeadlineTimer plazo(20000);
        while (!plazo.hasExpired()) {
            while (proceso_.canReadLine()) {
                received_ << QJsonDocument::fromJson(proceso_.readLine()).object();
            }
            if (received_.size() >= cuantas) {
                break;
            }
            proceso_.waitForReadyRead(static_cast<int>(plazo.remainingTime()));
        }
        return received_;
    }

  private:
    QProcess proceso_;
    QString path_;
    QList<QJsonObject> received_;
};

} // namespace

class TransmissionCliTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString archivo(const char* nombre, const std::vector<tipomensaje>& registros) {
        Lumivel l;
        const QString ruta = dir_.filePath(nombre);
        abrirConMensajes(l, ruta, registros);
        return ruta;
    }

  private slots:
    void initTestCase() { QVERIFY2(!programa().isEmpty(), "SIMLUMIVEL is not set"); }

    void imageAndWire() {
        const QString ab = archivo("ab.men", {texto(1, 2, "AB")});
        QCOMPARE(ejecutar({"image", ab}).out, std::string("01 02 41 42 00 00 00\n"));
        QCOMPARE(ejecutar({"image", "--wire", ab}).out,
                 std::string("63 77 FF 00 00 00 01 02 41 42 00 00 00\n"));
    }

    void imageRefusals_data() {
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("missing file") << dir_.filePath("none.men") << "none.men";
        QTest::newRow("too large")
            << archivo("big.men", std::vector<tipomensaje>(62, texto(1, 1, std::string(130, 'q'))))
            << "8248";
    }
    void imageRefusals() {
        QFETCH(QString, ruta);
        QFETCH(QString, mensaje);
        const Salida s = ejecutar({"image", ruta});
        QCOMPARE(s.code, 2);
        QVERIFY(s.out.empty());
        QVERIFY2(QString::fromStdString(s.err).contains(mensaje), s.err.c_str());
    }

    // Through a real pseudo-terminal: zero bytes, 0xFF and Windows-1252 text arrive intact;
    // deleted messages are not sent.
    void sendToTheVirtualSign() {
        const QString ruta =
            archivo("send.men", {texto(2, 4, " \xE1rbol \"x\""), texto(1, 1, "borrado", '0'),
                                 imagen(samplePicture())});
        Letrero letrero;
        QVERIFY(letrero.ruta().startsWith("/dev/"));
        const Salida s = letrero.enviar(ruta);
        QVERIFY2(s.code == 0, s.err.c_str());
        QVERIFY(s.err.find("CONECCION EXITOSA !!!") != std::string::npos);
        const QList<QJsonObject> recibidos = letrero.mensajes(2);
        QCOMPARE(recibidos.size(), 2);
        QCOMPARE(recibidos[0]["texto"].toString(), QString::fromUtf8(" \xC3\xA1rbol \"x\""));
        QCOMPARE(recibidos[0]["presentacion"].toInt(), 2);
        QCOMPARE(recibidos[0]["letra"].toInt(), 4);
        const QJsonArray columnas = recibidos[1]["columns"].toArray();
        QCOMPARE(columnas.size(), 64);
        QCOMPARE(columnas[2].toInt(), 0xFF);
        QCOMPARE(columnas[63].toInt(), 0x81);
    }

    void faultsGiveTheirMessageAndExitCode_data() {
        QTest::addColumn<QString>("fallo");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("silent") << "silent" << 2 << "No se ha podido conectar";
        QTest::newRow("corrupt") << "corrupt:7" << 1 << "Error en la TX y RX de datos";
    }
    void faultsGiveTheirMessageAndExitCode() {
        QFETCH(QString, fallo);
        QFETCH(int, codigo);
        QFETCH(QString, mensaje);
        const QString ruta =
            archivo("fault.men", std::vector<tipomensaje>(3, texto(1, 1, std::string(30, 'f'))));
        Letrero letrero({"--fault", fallo});
        const Salida s = letrero.enviar(ruta, "500");
        QCOMPARE(s.code, codigo);
        QVERIFY2(QString::fromStdString(s.err).contains(mensaje), s.err.c_str());
    }

    // Several signs at once: one line per port in the order given and the worst exit code; a
    // missing port and a sign with a wrong echo keep no other sign from its image.
    void sendToSeveralSigns() {
        const QString ruta = archivo("varios.men", {texto(1, 2, "AB")});
        Letrero buena, otra, cambiada({"--fault", "corrupt:3"});
        const QString ausente = "/dev/simlumivel-no-such-port";
        Salida s = ejecutar({"send", "--port", buena.ruta(), "--port", cambiada.ruta(), "--port",
                             ausente, "--port", otra.ruta(), "--espera", "2000", ruta});
        QCOMPARE(s.code, 2);
        const QStringList lineas = QString::fromStdString(s.err).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lineas.size(), 4);
        QCOMPARE(lineas[0], buena.ruta() + ": 7 de 7 bytes verificados; transmision completa.");
        QVERIFY2(lineas[1].startsWith(cambiada.ruta() + ": ") && lineas[1].contains("con errores"),
                 s.err.c_str());
        QVERIFY2(lineas[2].startsWith(ausente + ": 0 de 7") && lineas[2].contains("no existe"),
                 s.err.c_str());
        QCOMPARE(lineas[3], otra.ruta() + ": 7 de 7 bytes verificados; transmision completa.");
        QCOMPARE(buena.mensajes(1).value(0)["texto"].toString(), QString("AB"));
        QCOMPARE(otra.mensajes(1).value(0)["texto"].toString(), QString("AB"));
        s = ejecutar({"send", "--port", buena.ruta(), "--port", cambiada.ruta(), ruta});
        QCOMPARE(s.code, 1);
    }

    void portThatDoesNotExist() {
        const QString ruta = archivo("port.men", {texto(1, 1, "A")});
        const Salida s = ejecutar({"send", "--port", "/dev/simlumivel-no-such-port", ruta});
        QCOMPARE(s.code, 2);
        QVERIFY2(s.err.find("/dev/simlumivel-no-such-port") != std::string::npos, s.err.c_str());
        QVERIFY(s.err.find("no existe") != std::string::npos);
    }
};

QTEST_GUILESS_MAIN(TransmissionCliTest)
#include "test_transmission_cli.moc"
