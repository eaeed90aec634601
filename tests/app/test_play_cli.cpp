#include "app/command.hpp"

#include <QtTest>

#include <sstream>

using namespace lumivel::cli;

namespace {

struct Salida {
    int codigo = 0;
    QStringList lineas;
    std::string error;
};

Salida correr(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    Salida salida;
    salida.codigo = runCommandLine(args, {out, err});
    salida.lineas = QString::fromStdString(out.str()).split('\n', Qt::SkipEmptyParts);
    salida.error = err.str();
    return salida;
}

QString ceros() {
    QStringList bytes;
    for (int c = 0; c < 64; ++c) {
        bytes << QStringLiteral("00");
    }
    return bytes.join(' ');
}

const QString kCeros = ceros();

} // namespace

class PlayCommandTest : public QObject {
    Q_OBJECT
  private slots:
    void framesListEveryWaitAndTheEnd_data() {
        QTest::addColumn<QString>("efecto");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("esperas");
        QTest::addColumn<int>("total");
        QTest::addColumn<bool>("terminaApagado");
        QTest::newRow("porcolumna") << "porcolumna"
                                    << "HOLA" << 129 << 8120 << true;
        QTest::newRow("porfila") << "porfila"
                                 << "HOLA" << 18 << 3510 << true;
        QTest::newRow("caminando") << "caminando"
                                   << "HOLA" << 17 << 1700 << false;
    }
    void framesListEveryWaitAndTheEnd() {
        QFETCH(QString, efecto);
        QFETCH(QString, texto);
        QFETCH(int, esperas);
        QFETCH(int, total);
        QFETCH(bool, terminaApagado);
        const Salida salida =
            correr({"play", "--frames", "--effect", efecto.toStdString(), texto.toStdString()});
        QCOMPARE(salida.codigo, kExitOk);
        QCOMPARE(salida.lineas.size(), esperas + 1);
        int suma = 0;
        for (int k = 0; k < esperas; ++k) {
            const QStringList partes = salida.lineas[k].split(' ');
            QCOMPARE(partes.size(), 65);
            suma += partes[0].toInt();
        }
        QCOMPARE(suma, total);
        QVERIFY(salida.lineas.last().startsWith("end "));
        QCOMPARE(salida.lineas.last().mid(4) == kCeros, terminaApagado);
    }

    void porcolumnaWaitsInOrder() {
        const Salida salida = correr({"play", "--effect", "porcolumna", "--frames", "--", "HOLA"});
        QCOMPARE(salida.lineas.size(), 130);
        for (int k = 0; k < 129; ++k) {
            QCOMPARE(salida.lineas[k].section(' ', 0, 0), k == 64 ? "3000" : "40");
        }
        QCOMPARE(salida.lineas.last(), "end " + kCeros);
    }

    void fontChangesTheFrames() {
        const Salida cinco = correr({"play", "--effect=porcolumna", "--frames", "HOLA"});
        const Salida negrita =
            correr({"play", "--effect=porcolumna", "--font", "negrita", "--frames", "HOLA"});
        QVERIFY(cinco.lineas[64] != negrita.lineas[64]);
    }

    void refusals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("empty text") << QStringList{"play", "--effect", "porfila", "--frames", ""}
                                    << "No Existe mensaje a simular";
        QTest::newRow("unknown effect")
            << QStringList{"play", "--effect", "volando", "HOLA"} << "volando";
        QTest::newRow("no effect") << QStringList{"play", "HOLA"} << "--effect";
        QTest::newRow("no text") << QStringList{"play", "--effect", "porfila"} << "TEXTO";
    }
    void refusals() {
        QFETCH(QStringList, args);
        QFETCH(QString, mensaje);
        std::vector<std::string> argv;
        for (const QString& arg : args) {
            argv.push_back(arg.toStdString());
        }
        const Salida salida = correr(argv);
        QCOMPARE(salida.codigo, kExitError);
        QVERIFY(salida.lineas.isEmpty());
        QVERIFY2(QString::fromStdString(salida.error).contains(mensaje), salida.error.c_str());
    }
};

QTEST_APPLESS_MAIN(PlayCommandTest)
#include "test_play_cli.moc"
