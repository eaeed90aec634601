// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text_progress.hpp"
#include "session/lumivel.hpp"
#include "support/command_line.hpp"
#include "support/message_fixture.hpp"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

using namespace lumivel;
using namespace lumivel::test;

namespace {

// A virtual sign in its own process, for as long as the object lives. Transfers to it allow
// a longer wait for each echo than the sign's 100 ms: a busy test machine can stall a
// process that long, which would be a true echo error on a real line.
class SignUnderTest {
  public:
    explicit SignUnderTest(const QStringList& options = {}) {
        process_.start(program(), QStringList{"sign"} + options);
        QDeadlineTimer deadline(20000);
        while (!process_.canReadLine() && !deadline.hasExpired()) {
            process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        }
        path_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~SignUnderTest() {
        process_.terminate();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    SignUnderTest(const SignUnderTest&) = delete;
    SignUnderTest& operator=(const SignUnderTest&) = delete;

    const QString& path() const { return path_; }
    Output enviar(const QString& archivo, const char* delay = "2000") {
        return run({"send", "--port", path_, "--espera", delay, archivo});
    }
    // The JSON lines printed so far, waiting up to the deadline for `howMany` of them.
    QList<QJsonObject> messages(int howMany) {
        QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired()) {
            while (process_.canReadLine()) {
                received_ << QJsonDocument::fromJson(process_.readLine()).object();
            }
            if (received_.size() >= howMany) {
                break;
            }
            process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        }
        return received_;
    }

  private:
    QProcess process_;
    QString path_;
    QList<QJsonObject> received_;
};

// The executable's stderr line by line, each with when it arrived since the start.
struct TimedLines {
    int code = -1;
    QList<QPair<qint64, QString>> lines;

    qint64 when(const QString& start) const {
        for (const auto& [ms, line] : lines) {
            if (line.startsWith(start)) {
                return ms;
            }
        }
        return -1;
    }
    QString all() const {
        QStringList texts;
        for (const auto& entry : lines) {
            texts << entry.second;
        }
        return texts.join('\n');
    }
};

TimedLines runTimed(const QStringList& args) {
    QProcess p;
    QElapsedTimer clock;
    clock.start();
    p.start(program(), args);
    TimedLines result;
    const auto take = [&] {
        while (p.canReadLine()) {
            result.lines.append({clock.elapsed(), QString::fromUtf8(p.readLine()).trimmed()});
        }
    };
    p.setReadChannel(QProcess::StandardError);
    QDeadlineTimer deadline(180000);
    while (p.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        p.waitForReadyRead(100);
        take();
    }
    p.waitForFinished(1000);
    take();
    result.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return result;
}

} // namespace

class TransmissionCliTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString archivo(const char* name, const std::vector<tipomensaje>& records) {
        Lumivel l;
        const QString path = dir_.filePath(name);
        openWithMessages(l, path, records);
        return path;
    }

  private slots:
    void initTestCase() { QVERIFY2(!program().isEmpty(), "SIMLUMIVEL is not set"); }

    void imageAndWire() {
        const QString ab = archivo("ab.men", {texto(1, 2, "AB")});
        QCOMPARE(run({"image", ab}).out, std::string("01 02 41 42 00 00 00\n"));
        QCOMPARE(run({"image", "--wire", ab}).out,
                 std::string("63 77 FF 00 00 00 01 02 41 42 00 00 00\n"));
    }

    void imageRefusals_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("missing file") << dir_.filePath("none.men") << "none.men";
        QTest::newRow("too large")
            << archivo("big.men", std::vector<tipomensaje>(62, texto(1, 1, std::string(130, 'q'))))
            << "8248";
    }
    void imageRefusals() {
        QFETCH(QString, path);
        QFETCH(QString, mensaje);
        const Output s = run({"image", path});
        QCOMPARE(s.code, 2);
        QVERIFY(s.out.empty());
        QVERIFY2(QString::fromStdString(s.err).contains(mensaje), s.err.c_str());
    }

    // Through a real pseudo-terminal: zero bytes, 0xFF and Windows-1252 text arrive intact;
    // deleted messages are not sent.
    void sendToTheVirtualSign() {
        const QString path =
            archivo("send.men", {texto(2, 4, " \xE1rbol \"x\""), texto(1, 1, "borrado", '0'),
                                 image(samplePicture())});
        SignUnderTest sign;
        QVERIFY(sign.path().startsWith("/dev/"));
        const Output s = sign.enviar(path);
        QVERIFY2(s.code == 0, s.err.c_str());
        QVERIFY(s.err.find("CONECCION EXITOSA !!!") != std::string::npos);
        const QList<QJsonObject> received = sign.messages(2);
        QCOMPARE(received.size(), 2);
        QCOMPARE(received[0]["texto"].toString(), QString::fromUtf8(" \xC3\xA1rbol \"x\""));
        QCOMPARE(received[0]["presentacion"].toInt(), 2);
        QCOMPARE(received[0]["letra"].toInt(), 4);
        const QJsonArray columns = received[1]["columns"].toArray();
        QCOMPARE(columns.size(), 64);
        QCOMPARE(columns[2].toInt(), 0xFF);
        QCOMPARE(columns[63].toInt(), 0x81);
    }

    void faultsGiveTheirMessageAndExitCode_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("silent") << "silent" << 2 << "No se ha podido conectar";
        QTest::newRow("corrupt") << "corrupt:7" << 1 << "Error en la TX y RX de datos";
    }
    void faultsGiveTheirMessageAndExitCode() {
        QFETCH(QString, fault);
        QFETCH(int, exitCode);
        QFETCH(QString, mensaje);
        const QString path =
            archivo("fault.men", std::vector<tipomensaje>(3, texto(1, 1, std::string(30, 'f'))));
        SignUnderTest sign({"--fault", fault});
        const Output s = sign.enviar(path, "500");
        QCOMPARE(s.code, exitCode);
        QVERIFY2(QString::fromStdString(s.err).contains(mensaje), s.err.c_str());
    }

    // Several signs at once: one line per port in the order given and the worst exit code; a
    // missing port and a sign with a wrong echo keep no other sign from its image.
    void sendToSeveralSigns() {
        const QString path = archivo("varios.men", {texto(1, 2, "AB")});
        SignUnderTest good, other, altered({"--fault", "corrupt:3"});
        const QString missing = "/dev/simlumivel-no-such-port";
        Output s = run({"send", "--port", good.path(), "--port", altered.path(), "--port", missing,
                        "--port", other.path(), "--espera", "2000", path});
        QCOMPARE(s.code, 2);
        const QStringList outputLines =
            QString::fromStdString(s.err).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(outputLines.size(), 4);
        QCOMPARE(outputLines[0], good.path() + ": 7 de 7 bytes verificados; transmisión completa.");
        QVERIFY2(outputLines[1].startsWith(altered.path() + ": ") &&
                     outputLines[1].contains("con errores"),
                 s.err.c_str());
        QVERIFY2(outputLines[2].startsWith(missing + ": 0 de 7") &&
                     outputLines[2].contains("no existe"),
                 s.err.c_str());
        QCOMPARE(outputLines[3],
                 other.path() + ": 7 de 7 bytes verificados; transmisión completa.");
        QCOMPARE(good.messages(1).value(0)["texto"].toString(), QString("AB"));
        QCOMPARE(other.messages(1).value(0)["texto"].toString(), QString("AB"));
        s = run({"send", "--port", good.path(), "--port", altered.path(), path});
        QCOMPARE(s.code, 1);
    }

    // A line named twice, directly or through a link, is refused before the sign hears a byte.
    void portNamedTwiceIsRefused() {
        const QString path = archivo("dos.men", {texto(1, 1, "A")});
        SignUnderTest sign;
        const QString link = dir_.filePath("enlace");
        QVERIFY(QFile::link(sign.path(), link));
        for (const QString& second : {sign.path(), link}) {
            const Output s = run({"send", "--port", sign.path(), "--port", second, path});
            QCOMPARE(s.code, 2);
            QVERIFY2(s.err.find(second.toStdString() +
                                ": el puerto se ha indicado más de una vez") != std::string::npos,
                     s.err.c_str());
        }
        // The first message the sign decodes is the one sent afterwards.
        QCOMPARE(sign.enviar(archivo("uno.men", {texto(1, 1, "B")})).code, 0);
        QCOMPARE(sign.messages(1).value(0)["texto"].toString(), QString("B"));
    }

    // An adapter that holds every echo 16 ms: the estimate, made on the first exchanges, is
    // close to what the transfer really takes (within a tenth on a quiet machine; a quarter
    // leaves room for a loaded one while still catching a miscounted transfer), and the
    // advice comes once.
    void aSlowAdapterIsTimedAndExplainedOnce() {
        const QString path =
            archivo("lento.men", std::vector<tipomensaje>(8, texto(1, 1, std::string(125, 's'))));
        SignUnderTest sign({"--fault", "latency:16"});
        const TimedLines s = runTimed({"send", "--port", sign.path(), "--espera", "2000", path});
        QVERIFY2(s.code == 0, qPrintable(s.all()));
        const QRegularExpressionMatch estimate =
            QRegularExpression("^Tiempo estimado: (\\d+) s$", QRegularExpression::MultilineOption)
                .match(s.all());
        QVERIFY2(estimate.hasMatch(), qPrintable(s.all()));
        const double real = double(s.when("Transmision completa") - s.when("CONECCION EXITOSA"));
        const double estimated = estimate.captured(1).toDouble() * 1000;
        QVERIFY2(std::abs(estimated - real) <= 0.25 * real,
                 qPrintable(QString("estimated %1 ms, took %2 ms").arg(estimated).arg(real)));
        QCOMPARE(s.all().count("El enlace con el Lumivel es lento"), 1);
        QVERIFY(s.all().contains("latency_timer"));
        QVERIFY2(s.all().contains(QRegularExpression("\\(50%\\)\\. Quedan \\d+ s")),
                 qPrintable(s.all()));
        QCOMPARE(sign.messages(8).size(), 8);
    }

    void aGoodLinkGetsTheEstimateAndNoAdvice() {
        SignUnderTest sign;
        const Output s = sign.enviar(archivo("bien.men", {texto(1, 2, "AB")}));
        QVERIFY2(s.code == 0, s.err.c_str());
        QVERIFY2(s.err.find("Tiempo estimado: 1 s\n") != std::string::npos, s.err.c_str());
        QVERIFY2(s.err.find("lento") == std::string::npos, s.err.c_str());
    }

    // On a terminal the bar carries the time left.
    void theBarShowsTheTimeLeft() {
        std::ostringstream err;
        cli::TextProgress bar(err, true, "/dev/pts/9");
        bar.setMaximum(99);
        bar.measured({kWireMsPerExchange, 6, transferExchanges(100)});
        bar.timeLeft(12);
        bar.progress(99);
        bar.finishBar();
        QCOMPARE(err.str(), std::string("Tiempo estimado: 1 s\n\r[") + std::string(40, '#') +
                                "] 100% 100/100  Quedan 12 s    \n");
    }

    // The dry run asks and measures, and leaves the sign ready for the next transfer.
    void dryRunMeasuresWithoutSending() {
        const QString path = archivo("prueba.men", {texto(1, 1, "PRUEBA")});
        SignUnderTest sign({"--fault", "latency:16"});
        Output s = run({"send", "--dry-run", "--port", sign.path(), path});
        QVERIFY2(s.code == 0, s.err.c_str());
        const QString err = QString::fromStdString(s.err);
        // The adapter's 16 ms is the least a round trip can take; a loaded machine adds to it.
        const QRegularExpressionMatch roundTrip =
            QRegularExpression("ida y vuelta (\\d+),\\d ms").match(err);
        QVERIFY2(roundTrip.hasMatch() && roundTrip.captured(1).toInt() >= 16, s.err.c_str());
        QVERIFY(err.contains("Para " + path + " (11 bytes):\nTiempo estimado: 1 s\n"));
        QCOMPARE(err.count("El enlace con el Lumivel es lento"), 1);
        QVERIFY(err.endsWith("No se ha enviado nada.\n"));
        s = run({"send", "--dry-run", "--port", sign.path()});
        QVERIFY2(s.err.find("Para un Lumivel lleno (8192 bytes)") != std::string::npos,
                 s.err.c_str());
        QCOMPARE(sign.enviar(archivo("real.men", {texto(1, 1, "REAL")})).code, 0);
        QCOMPARE(sign.messages(1).value(0)["texto"].toString(), QString("REAL"));

        SignUnderTest silent({"--fault", "silent"});
        s = run({"send", "--dry-run", "--port", silent.path(), "--espera", "50"});
        QCOMPARE(s.code, 2);
        QVERIFY2(s.err.find("No se ha podido conectar") != std::string::npos, s.err.c_str());
        s = run({"send", "--dry-run", "--port", sign.path(), "--port", silent.path()});
        QCOMPARE(s.code, 2);
        QVERIFY2(s.err.find("--dry-run prueba un solo puerto") != std::string::npos, s.err.c_str());
    }

    void portThatDoesNotExist() {
        const QString path = archivo("port.men", {texto(1, 1, "A")});
        const Output s = run({"send", "--port", "/dev/simlumivel-no-such-port", path});
        QCOMPARE(s.code, 2);
        QVERIFY2(s.err.find("/dev/simlumivel-no-such-port") != std::string::npos, s.err.c_str());
        QVERIFY(s.err.find("no existe") != std::string::npos);
    }
};

QTEST_GUILESS_MAIN(TransmissionCliTest)
#include "test_transmission_cli.moc"
