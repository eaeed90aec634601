#include "session/lumivel.hpp"
#include "support/message_fixture.hpp"
#include "app/command.hpp"
#include "store/message_file.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>
#include <sstream>

using namespace lumivel;
using namespace lumivel::test;

namespace {

struct Salida {
    int code = -1;
    QString out;
    QString err;
};

QString programa() {
    return qEnvironmentVariable("SIMLUMIVEL");
}

Salida ejecutar(const QStringList& args, int plazoMs = 60000) {
    QProcess p;
    p.start(programa(), args);
    Salida s;
    if (!p.waitForFinished(plazoMs)) {
        p.kill();
        p.waitForFinished();
        return s;
    }
    s.code = p.exitCode();
    s.out = QString::fromUtf8(p.readAllStandardOutput());
    s.err = QString::fromUtf8(p.readAllStandardError());
    return s;
}

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
        ruta_ = QString::fromUtf8(proceso_.readLine()).trimmed();
    }
    ~Letrero() {
        proceso_.terminate();
        if (!proceso_.waitForFinished(10000)) {
            proceso_.kill();
            proceso_.waitForFinished();
        }
    }
    const QString& ruta() const { return ruta_; }
    // The JSON lines printed so far, waiting up to the deadline for `cuantas` of them.
    QList<QJsonObject> mensajes(int cuantas) {
        QDeadlineTimer plazo(20000);
        while (!plazo.hasExpired()) {
            while (proceso_.canReadLine()) {
                recibidos_ << QJsonDocument::fromJson(proceso_.readLine()).object();
            }
            if (recibidos_.size() >= cuantas) {
                break;
            }
            proceso_.waitForReadyRead(static_cast<int>(plazo.remainingTime()));
        }
        return recibidos_;
    }

  private:
    QProcess proceso_;
    QString ruta_;
    QList<QJsonObject> recibidos_;
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
        Salida s = ejecutar({"image", ab});
        QCOMPARE(s.code, 0);
        QCOMPARE(s.out, QString("01 02 41 42 00 00 00\n"));
        s = ejecutar({"image", "--wire", ab});
        QCOMPARE(s.code, 0);
        QCOMPARE(s.out, QString("63 77 FF 00 00 00 01 02 41 42 00 00 00\n"));
    }

    void imageRefusals_data() {
        QTest::addColumn<QString>("ruta");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("missing file") << dir_.filePath("none.men") << "none.men";
        QTest::newRow("only deleted messages")
            << archivo("deleted.men", {texto(1, 1, "A", '0')}) << "No hay mensajes";
        QTest::newRow("too large")
            << archivo("big.men", std::vector<tipomensaje>(62, texto(1, 1, std::string(130, 'q'))))
            << "8248";
    }
    void imageRefusals() {
        QFETCH(QString, ruta);
        QFETCH(QString, mensaje);
        const Salida s = ejecutar({"image", ruta});
        QCOMPARE(s.code, 2);
        QVERIFY(s.out.isEmpty());
        QVERIFY2(s.err.contains(mensaje), qPrintable(s.err));
    }

    void sendToTheVirtualSign() {
        std::array<std::uint8_t, 64> dibujo{};
        dibujo[0] = 0xFF;
        dibujo[10] = 0x3C;
        const std::vector<tipomensaje> registros = {texto(1, 2, "AB"), imagen(dibujo),
                                                    texto(2, 3, "borrado", '0'),
                                                    texto(3, 4, " \xE1rbol \"x\"")};
        const QString ruta = archivo("send.men", registros);
        Letrero letrero;
        QVERIFY(letrero.ruta().startsWith("/dev/"));
        const Salida s = ejecutar({"send", "--port", letrero.ruta(), "--espera", "2000", ruta});
        QVERIFY2(s.code == 0, qPrintable(s.err));
        QVERIFY(s.err.contains("CONECCION EXITOSA !!!"));

        const QList<QJsonObject> recibidos = letrero.mensajes(3);
        QCOMPARE(recibidos.size(), 3);
        QCOMPARE(recibidos[0]["kind"].toString(), QString("text"));
        QCOMPARE(recibidos[0]["texto"].toString(), QString("AB"));
        QCOMPARE(recibidos[0]["letra"].toInt(), 2);
        QCOMPARE(recibidos[1]["kind"].toString(), QString("picture"));
        const QJsonArray columnas = recibidos[1]["columns"].toArray();
        QCOMPARE(columnas.size(), 64);
        QCOMPARE(columnas[0].toInt(), 255);
        QCOMPARE(columnas[10].toInt(), 0x3C);
        QCOMPARE(recibidos[2]["texto"].toString(), QString::fromUtf8(" \xC3\xA1rbol \"x\""));
        QCOMPARE(recibidos[2]["presentacion"].toInt(), 3);
    }

    void signPrintsTheMessagesOfList() {
        const QString ruta = dir_.filePath("list.men");
        const QString dibujo = "FF0081" + QString(122, '0');
        QCOMPARE(ejecutar({"add", "--font", "5x9", "--effect", "porfila", ruta, "HOLA"}).code, 0);
        QCOMPARE(ejecutar({"add", "--picture", dibujo, ruta}).code, 0);
        QCOMPARE(ejecutar({"add", ruta, "se borra"}).code, 0);
        QCOMPARE(ejecutar({"add", "--font", "negrita", ruta, "  fin  "}).code, 0);
        QCOMPARE(ejecutar({"delete", ruta, "3"}).code, 0);
        const Salida lista = ejecutar({"list", "--json", ruta});
        QCOMPARE(lista.code, 0);
        const QJsonArray esperados = QJsonDocument::fromJson(lista.out.toUtf8()).array();
        QCOMPARE(esperados.size(), 3);

        Letrero letrero;
        const Salida s = ejecutar({"send", "--port", letrero.ruta(), "--espera", "2000", ruta});
        QVERIFY2(s.code == 0, qPrintable(s.err));
        const QList<QJsonObject> recibidos = letrero.mensajes(3);
        QCOMPARE(recibidos.size(), esperados.size());
        for (int i = 0; i < recibidos.size(); ++i) {
            const QJsonObject e = esperados[i].toObject();
            const QJsonObject r = recibidos[i];
            QCOMPARE(r["kind"], e["kind"]);
            QCOMPARE(r["presentacion"], e["presentacion"]);
            QCOMPARE(r["letra"], e["letra"]);
            if (e["kind"].toString() == "picture") {
                const QString hex = e["texto"].toString();
                const QJsonArray columnas = r["columns"].toArray();
                QCOMPARE(columnas.size(), 64);
                for (int k = 0; k < 64; ++k) {
                    QCOMPARE(columnas[k].toInt(), hex.mid(2 * k, 2).toInt(nullptr, 16));
                }
            } else {
                QCOMPARE(r["texto"], e["texto"]);
            }
        }
    }

    void faultsGiveTheirMessageAndExitCode_data() {
        QTest::addColumn<QString>("fallo");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("silent") << "silent" << 2 << "No se ha podido conectar";
        QTest::newRow("no-hello") << "no-hello" << 2 << "No se ha podido conectar";
        QTest::newRow("corrupt") << "corrupt:7" << 1 << "Error en la TX y RX de datos";
        QTest::newRow("stop") << "stop:30" << 2 << "Se verificaron 24 de";
    }
    void faultsGiveTheirMessageAndExitCode() {
        QFETCH(QString, fallo);
        QFETCH(int, codigo);
        QFETCH(QString, mensaje);
        const QString ruta =
            archivo("fault.men", std::vector<tipomensaje>(3, texto(1, 1, std::string(30, 'f'))));
        Letrero letrero({"--fault", fallo});
        const Salida s = ejecutar({"send", "--port", letrero.ruta(), "--espera", "500", ruta});
        QCOMPARE(s.code, codigo);
        QVERIFY2(s.err.contains(mensaje), qPrintable(s.err));
    }

    void portThatDoesNotExist() {
        const QString ruta = archivo("port.men", {texto(1, 1, "A")});
        const Salida s = ejecutar({"send", "--port", "/dev/simlumivel-no-such-port", ruta});
        QCOMPARE(s.code, 2);
        QVERIFY2(s.err.contains("/dev/simlumivel-no-such-port"), qPrintable(s.err));
        QVERIFY(s.err.contains("no existe"));
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("send without port") << QStringList{"send", "x.men"};
        QTest::newRow("send with bad wait")
            << QStringList{"send", "--port", "/dev/null", "--espera", "0", "x.men"};
        QTest::newRow("sign with bad fault") << QStringList{"sign", "--fault", "loud"};
        QTest::newRow("sign with bad pace") << QStringList{"sign", "--pace", "0"};
        QTest::newRow("image without file") << QStringList{"image"};
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        std::vector<std::string> argv;
        for (const QString& a : args) {
            argv.push_back(a.toStdString());
        }
        std::ostringstream out;
        std::ostringstream err;
        QCOMPARE(cli::runCommandLine(argv, {out, err}), cli::kExitError);
        QVERIFY(err.str().find("Uso:") != std::string::npos);
    }
};

QTEST_GUILESS_MAIN(TransmissionCliTest)
#include "test_transmission_cli.moc"
