// The display subcommands (render, play) and the argument handling every subcommand shares.
#include "base/version.hpp"

#include "support/command_line.hpp"
#include "ui/sign_image.hpp"

#include <QImage>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

using namespace lumivel;
using namespace lumivel::test;

namespace {

QStringList lineas(const std::string& out) {
    return QString::fromStdString(out).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class DisplayCliTest : public QObject {
    Q_OBJECT
  private slots:
    void renderPrintsHexOrRows() {
        const Salida hex = runCli({"render", "--font", "5x7", "--format", "hex", "A"});
        QCOMPARE(hex.code, cli::kExitOk);
        QVERIFY(hex.out.starts_with("7E 09 09 09 7E 00 "));
        // Options may follow the text; "--" ends them.
        QCOMPARE(runCli({"render", "A", "--format=hex", "--font", "5x7"}).out, hex.out);
        const Salida texto = runCli({"render", "--format", "hex", "--", "--font"});
        QCOMPARE(texto.code, cli::kExitOk);
        QVERIFY(!texto.out.starts_with("00 00 00 00 00"));
        QCOMPARE(lineas(runCli({"render", "A"}).out).size(), 8);
    }

    // Left-aligned pictures are the sign's own columns; the extra glyphs fill the gaps, and
    // only what even they lack is named.
    void composeDrawsWhatRenderShows() {
        for (const char* format : {"ascii", "hex"}) {
            QCOMPARE(runCli({"compose", "--font", "5x9", "--format", format, "HOLA"}).out,
                     runCli({"render", "--font", "5x9", "--format", format, "HOLA"}).out);
        }
        const Salida enye = runCli({"compose", "--format=hex", "--align", "right", "Ñ"});
        QVERIFY(enye.out.ends_with(" 3E 05 09 11 3E\n") && enye.err.empty());
        const Salida render = runCli({"render", "--font", "5x7", "año é"});
        QCOMPARE(render.err, std::string("simlumivel render: aviso: Sin letra en 5 x 7: ñ, é\n"));
        QCOMPARE(runCli({"compose", "--font", "5x7", "año çé"}).err,
                 std::string("simlumivel compose: aviso: Sin letra en 5 x 7: ç\n"));
    }

    // The effects' frames are checked with the effects; here the line format and the font.
    // render --image prints the imported columns, and the sign's PNG lights exactly the LEDs
    // whose bits render prints.
    void renderImageMatchesTheSignImage() {
        QTemporaryDir dir;
        QImage diagonal(128, 16, QImage::Format_ARGB32);
        diagonal.fill(Qt::transparent);
        for (int x = 0; x < 128; ++x) {
            diagonal.setPixelColor(x, (x / 2) % 8 * 2, Qt::white);
            diagonal.setPixelColor(x, (x / 2) % 8 * 2 + 1, Qt::white);
        }
        const QString png = dir.filePath("diagonal.png");
        QVERIFY(diagonal.save(png));
        const Salida hex = runList({"render", "--image", png, "--format", "hex"});
        QCOMPARE(hex.code, cli::kExitOk);
        QVERIFY(hex.out.starts_with("01 02 04 08 10 20 40 80 01 02"));
        std::array<std::uint8_t, 64> columns{};
        for (std::size_t c = 0; c < 64; ++c) {
            columns[c] =
                static_cast<std::uint8_t>(std::stoi(hex.out.substr(c * 3, 2), nullptr, 16));
        }
        const QImage sign = signImage(columns, QColor(255, 0, 0));
        for (int c = 0; c < 64; ++c) {
            for (int r = 0; r < 8; ++r) {
                const bool lit = sign.pixelColor(6 + 12 * c, 6 + 12 * r) == QColor(255, 0, 0);
                QCOMPARE(lit, ((columns[static_cast<std::size_t>(c)] >> r) & 1) == 1);
            }
        }
        QVERIFY(runList({"render", "--image", png, "--invert", "--format=hex"})
                    .out.starts_with("FE FD FB F7 EF DF BF 7F FE"));
        QVERIFY(runList({"render", "--image", png, "--threshold=0", "--format=hex"})
                    .out.starts_with(QString("FF ").repeated(63).toStdString() + "FF\n"));
    }

    void playFramesListEveryWait() {
        const Salida cinco = runCli({"play", "--frames", "--effect", "porcolumna", "HOLA"});
        const QStringList frames = lineas(cinco.out);
        QVERIFY(frames[64].startsWith("3000 "));
        QCOMPARE(frames.last(), "end" + QString(" 00").repeated(64));
        const Salida negrita =
            runCli({"play", "--effect=porcolumna", "--font", "negrita", "--frames", "HOLA"});
        QVERIFY(lineas(negrita.out)[64] != frames[64]);
    }

    // The walking effect composes only what reaches the sign: a long text gives one frame per
    // character, each of one sign's size.
    void longTextFramesStayBounded() {
        const std::string texto(20000, 'A');
        const Salida s = runCli({"play", "--frames", "--effect", "caminando", texto});
        QCOMPARE(s.code, cli::kExitOk);
        const QStringList frames = lineas(s.out);
        QCOMPARE(frames.size(), 20000 + 12 + 1 + 1);
        QCOMPARE(frames[0].size(), frames[19000].size());
        QCOMPARE(frames[19000], frames[100]); // the same all-A window, far apart in the text
        QVERIFY(frames[20012].endsWith(QString(" 00").repeated(64)));
    }

    // Cursor codes only on a terminal; in a pipe the frames follow one another.
    void playDrawsInPlaceOnlyOnATerminal() {
        for (const bool terminal : {false, true}) {
            std::ostringstream out;
            std::ostringstream err;
            QCOMPARE(
                cli::runCommandLine({"play", "--effect", "porfila", "A"}, {out, err, terminal}),
                cli::kExitOk);
            QCOMPARE(out.str().find('\x1b') != std::string::npos, terminal);
        }
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("unknown option") << QStringList{"render", "--bold", "A"} << "Uso:";
        QTest::newRow("bad font") << QStringList{"render", "--font", "7x7", "A"} << "Uso:";
        QTest::newRow("bad alignment") << QStringList{"compose", "--align", "top", "A"} << "top";
        QTest::newRow("play file and text")
            << QStringList{"play", "--file", "x.men", "HOLA"} << "--file";
        QTest::newRow("missing text") << QStringList{"render"} << "Uso:";
        QTest::newRow("missing value") << QStringList{"render", "A", "--font"} << "Uso:";
        QTest::newRow("unknown subcommand") << QStringList{"paint"} << "Uso:";
        QTest::newRow("play empty text")
            << QStringList{"play", "--effect", "porfila", "--frames", ""} << "No Existe mensaje";
        QTest::newRow("play unknown effect")
            << QStringList{"play", "--effect", "volando", "HOLA"} << "volando";
        QTest::newRow("play without effect") << QStringList{"play", "HOLA"} << "--effect";
        QTest::newRow("send without port") << QStringList{"send", "x.men"} << "Uso:";
        QTest::newRow("send with bad wait")
            << QStringList{"send", "--port", "/dev/null", "--espera", "0", "x.men"} << "Uso:";
        QTest::newRow("bad threshold")
            << QStringList{"render", "--image", "a.png", "--threshold", "256"} << "256";
        QTest::newRow("not an image")
            << QStringList{"render", "--image", QString(__FILE__), "--format", "hex"}
            << "formato conocido";
        QTest::newRow("missing image") << QStringList{"render", "--image", "/nonexistent.png"}
                                       << "/nonexistent.png: no existe";
        QTest::newRow("sign with bad fault") << QStringList{"sign", "--fault", "loud"} << "Uso:";
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        QFETCH(QString, mensaje);
        const Salida s = runList(args);
        QCOMPARE(s.code, cli::kExitError);
        QVERIFY(s.out.empty());
        QVERIFY2(QString::fromStdString(s.err).contains(mensaje), s.err.c_str());
    }

    void everySubcommandExplainsItself() {
        for (const char* name :
             {"render", "compose", "play", "list", "add", "delete", "check", "send", "sign"}) {
            const Salida help = runCli({name, "--help"});
            QCOMPARE(help.code, cli::kExitOk);
            QVERIFY2(help.out.starts_with(std::string("Uso: simlumivel ") + name), name);
        }
    }

    void versionIsTheProject() {
        QCOMPARE(runCli({"--version"}).out, std::string("simlumivel ") + kVersion + "\n");
    }

    void theExecutableRunsWithoutADisplay() {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        env.remove("WAYLAND_DISPLAY");
        process.setProcessEnvironment(env);
        process.start(programa(), {"render", "--font", "5x7", "--format", "hex", "A"});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(process.readAllStandardOutput().startsWith("7E 09 09 09 7E 00"));
        // The window alone needs a display: without one, a message instead of Qt's abort.
        process.start(programa(), {});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), cli::kExitError);
        QVERIFY(process.readAllStandardError().contains("No hay pantalla"));
        // A lone file name is for the window too, not an unknown subcommand.
        process.start(programa(), {"mensajes.men"});
        QVERIFY(process.waitForFinished(30000));
        QVERIFY(process.readAllStandardError().contains("No hay pantalla"));
    }
};

QTEST_APPLESS_MAIN(DisplayCliTest)
#include "test_display_cli.moc"
