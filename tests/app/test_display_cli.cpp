// SPDX-License-Identifier: GPL-3.0-or-later
// The display subcommands (render, play) and the argument handling every subcommand shares.
#include "base/version.hpp"

#include "support/command_line.hpp"
#include "support/file_bytes.hpp"
#include "ui/sign_image.hpp"

#include <QImage>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

#include <gif_lib.h>
#include <sys/stat.h>

using namespace lumivel;
using namespace lumivel::test;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList outputLines(const std::string& out) {
    return QString::fromStdString(out).split('\n', Qt::SkipEmptyParts);
}

// Whether each LED's centre pixel shows lit, as the hex line of its columns says.
void compareLeds(const QImage& image, const QString& hexLine, QRgb lit) {
    const QStringList columns = hexLine.split(' ', Qt::SkipEmptyParts);
    QCOMPARE(columns.size(), 64);
    for (int c = 0; c < 64; ++c) {
        const int bits = columns[c].toInt(nullptr, 16);
        for (int r = 0; r < 8; ++r) {
            const QRgb expected = ((bits >> r) & 1) != 0 ? lit : qRgb(80, 80, 80);
            QCOMPARE(image.pixel(6 + 12 * c, 6 + 12 * r), expected);
        }
    }
}

// Frame k of a GIF read back by giflib.
QImage gifFrame(const GifFileType* gif, int k) {
    const SavedImage& saved = gif->SavedImages[k];
    QImage image(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
    for (int y = 0; y < gif->SHeight; ++y) {
        for (int x = 0; x < gif->SWidth; ++x) {
            const GifColorType c = gif->SColorMap->Colors[saved.RasterBits[y * gif->SWidth + x]];
            image.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
        }
    }
    return image;
}

} // namespace

class DisplayCliTest : public QObject {
    Q_OBJECT
  private slots:
    void renderPrintsHexOrRows() {
        const Output hex = runCli({"render", "--font", "5x7", "--format", "hex", "A"});
        QCOMPARE(hex.code, cli::kExitOk);
        QVERIFY(hex.out.starts_with("7E 09 09 09 7E 00 "));
        // Options may follow the text; "--" ends them.
        QCOMPARE(runCli({"render", "A", "--format=hex", "--font", "5x7"}).out, hex.out);
        const Output texto = runCli({"render", "--format", "hex", "--", "--font"});
        QCOMPARE(texto.code, cli::kExitOk);
        QVERIFY(!texto.out.starts_with("00 00 00 00 00"));
        QCOMPARE(outputLines(runCli({"render", "A"}).out).size(), 8);
    }

    // Left-aligned pictures are the sign's own columns; the extra glyphs fill the gaps, and
    // only what even they lack is named.
    void composeDrawsWhatRenderShows() {
        for (const char* format : {"ascii", "hex"}) {
            QCOMPARE(runCli({"compose", "--font", "5x9", "--format", format, "HOLA"}).out,
                     runCli({"render", "--font", "5x9", "--format", format, "HOLA"}).out);
        }
        const Output enye = runCli({"compose", "--format=hex", "--align", "right", "Ñ"});
        QVERIFY(enye.out.ends_with(" 3E 05 09 11 3E\n") && enye.err.empty());
        const Output render = runCli({"render", "--font", "5x7", "año é"});
        QCOMPARE(render.err, std::string("simlumivel render: aviso: Sin letra en 5 x 7: ñ, é\n"));
        QCOMPARE(runCli({"compose", "--font", "5x7", "año çé"}).err,
                 std::string("simlumivel compose: aviso: Sin letra en 5 x 7: ç\n"));
        // Wider than the sign: cut at its edge, as the window's composer says.
        const Output wide = runCli({"compose", "--font", "5x7", "OFERTA DE AÑO NUEVO"});
        QCOMPARE(wide.code, cli::kExitOk);
        QCOMPARE(wide.err, std::string("simlumivel compose: aviso: el texto ocupa 107 columnas; el "
                                       "Lumivel muestra 64: no se verá «O NUEVO»\n"));
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
        const Output hex = runList({"render", "--image", png, "--format", "hex"});
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
        const Output five = runCli({"play", "--frames", "--effect", "porcolumna", "HOLA"});
        const QStringList frames = outputLines(five.out);
        QVERIFY(frames[64].startsWith("3000 "));
        QCOMPARE(frames.last(), "end" + QString(" 00").repeated(64));
        const Output negrita =
            runCli({"play", "--effect=porcolumna", "--font", "negrita", "--frames", "HOLA"});
        QVERIFY(outputLines(negrita.out)[64] != frames[64]);
    }

    // The PNG is the sign as painted, in the chosen colour.
    void exportPngPaintsTheSign() {
        QTemporaryDir dir;
        const std::string png = dir.filePath("a.png").toStdString();
        QCOMPARE(runCli({"export", "--png", png, "--font", "5x7", "--text", "HOLA"}).code, 0);
        const QImage image(QString::fromStdString(png));
        QCOMPARE(image.size(), QSize(775, 102));
        const std::string render = runCli({"render", "--format=hex", "--font=5x7", "HOLA"}).out;
        compareLeds(image, QString::fromStdString(render).trimmed(), qRgb(220, 220, 220));
        runCli({"export", "--png", png, "--color", "00FF80", "--text", "HOLA"});
        QCOMPARE(QImage(QString::fromStdString(png)).pixel(6, 6 + 12), qRgb(0, 255, 128));
    }

    // The GIF plays what play --frames lists, equal frames merged, looping for ever; a stored
    // message exports as the same text typed.
    void exportGifPlaysTheEffect() {
        QTemporaryDir dir;
        const std::string gifPath = dir.filePath("a.gif").toStdString();
        QCOMPARE(runCli({"export", "--gif", gifPath, "--effect=porfila", "--text", "HOLA"}).code,
                 0);
        std::vector<std::pair<int, QString>> frames;
        for (const QString& line :
             outputLines(runCli({"play", "--frames", "--effect", "porfila", "HOLA"}).out)) {
            const int ms = line.section(' ', 0, 0).toInt();
            const QString hex = line.section(' ', 1);
            if (line.startsWith("end")) {
                break;
            }
            if (!frames.empty() && frames.back().second == hex) {
                frames.back().first += ms;
            } else {
                frames.emplace_back(ms, hex);
            }
        }
        int error = 0;
        GifFileType* gif = DGifOpenFileName(gifPath.c_str(), &error);
        QVERIFY(gif != nullptr && DGifSlurp(gif) == GIF_OK);
        QCOMPARE(gif->ImageCount, static_cast<int>(frames.size()));
        for (int k = 0; k < gif->ImageCount; ++k) {
            GraphicsControlBlock control;
            DGifSavedExtensionToGCB(gif, k, &control);
            QCOMPARE(control.DelayTime * 10, frames[static_cast<std::size_t>(k)].first);
            compareLeds(gifFrame(gif, k), frames[static_cast<std::size_t>(k)].second,
                        qRgb(220, 220, 220));
        }
        const SavedImage& first = gif->SavedImages[0];
        QVERIFY(first.ExtensionBlockCount >= 2);
        QCOMPARE(first.ExtensionBlocks[0].Function, APPLICATION_EXT_FUNC_CODE);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(first.ExtensionBlocks[0].Bytes), 11),
                 QByteArray("NETSCAPE2.0"));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(first.ExtensionBlocks[1].Bytes), 3),
                 QByteArray("\x01\x00\x00", 3));
        DGifCloseFile(gif, &error);

        const std::string men = dir.filePath("m.men").toStdString();
        runCli({"add", "--effect=porfila", men, "HOLA"});
        runCli({"add", "--picture", "FF" + std::string(126, '0'), men});
        const std::string stored = dir.filePath("b.gif").toStdString();
        QCOMPARE(runCli({"export", "--gif", stored, men, "1"}).code, 0);
        QCOMPARE(readBytes(stored), readBytes(gifPath));
        QCOMPARE(runCli({"export", "--gif", stored, men, "2"}).code, 0);
        gif = DGifOpenFileName(stored.c_str(), &error);
        QVERIFY(gif != nullptr && DGifSlurp(gif) == GIF_OK);
        QCOMPARE(gif->ImageCount, 1);
        compareLeds(gifFrame(gif, 0), "FF" + QString(" 00").repeated(63), qRgb(220, 220, 220));
        DGifCloseFile(gif, &error);
    }

    // Nothing to play, and a folder where the file should go: no file, a clear reason.
    void exportWithoutAnAnimationWritesNothing() {
        QTemporaryDir dir;
        const std::string gifPath = dir.filePath("a.gif").toStdString();
        const Output empty =
            runCli({"export", "--gif", gifPath + "2", "--effect=porfila", "--text", ""});
        QCOMPARE(empty.code, cli::kExitError);
        QVERIFY(!QFile::exists(QString::fromStdString(gifPath + "2")));
        const Output folder = runCli({"export", "--gif", dir.path().toStdString(), "--text", "A"});
        QCOMPARE(folder.code, cli::kExitError);
        QVERIFY2(folder.err.find("animación GIF") != std::string::npos, folder.err.c_str());
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    // A failed write keeps the old file and says why; a link's target gets the export and the
    // link stays; a FIFO or a folder is refused untouched. The same for both kinds.
    void exportKeepsTheOldFileOnFailure_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("reason");
        QTest::newRow("png") << "--png"
                             << "imagen PNG";
        QTest::newRow("gif") << "--gif"
                             << "animación GIF";
    }
    void exportKeepsTheOldFileOnFailure() {
        QFETCH(QString, option);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString out = dir.filePath("out");
        const QByteArray old(400, 'x');
        QFile file(out);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        file.close();
        // A file size limit makes the write fail with EFBIG, as a full disk would with ENOSPC.
        const Output full = run({"-c", "ulimit -f 1; trap '' XFSZ; exec \"$0\" \"$@\"", program(),
                                 "export", option, out, "--effect=porfila", "--text", "HOLA HOLA"},
                                {}, "/bin/sh");
        QCOMPARE(full.code, cli::kExitError);
        QVERIFY2(QString::fromStdString(full.err).contains(reason + ": el archivo superaría"),
                 full.err.c_str());
        QCOMPARE(readAll(out), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"out"});

        QVERIFY(QFile::link("out", dir.filePath("link")));
        const Output linked = runList({"export", option, dir.filePath("link"), "--text", "A"});
        QCOMPARE(linked.code, cli::kExitOk);
        QVERIFY(QFileInfo(dir.filePath("link")).isSymLink());
        QVERIFY(QFileInfo(out).size() != old.size());

        const QString fifo = dir.filePath("fifo");
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        for (const QString& target : {fifo, dir.path()}) {
            const Output refused = runList({"export", option, target, "--text", "A"});
            QCOMPARE(refused.code, cli::kExitError);
            QVERIFY2(refused.err.find("no es un archivo normal") != std::string::npos,
                     refused.err.c_str());
        }
        QVERIFY(QFileInfo(fifo).isFile() == false && QFileInfo::exists(fifo));
    }

    // An image is read only from a regular file: a FIFO is refused at once instead of waited
    // on, and a damaged file gets one line, ours, with nothing from the decoders.
    void imagesAreReadOnlyFromRegularFiles() {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("fifo.png");
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        const Output piped = runList({"render", "--image", fifo});
        QCOMPARE(piped.code, cli::kExitError);
        QVERIFY2(piped.err.find("no es un archivo normal") != std::string::npos, piped.err.c_str());
        QImage picture(64, 8, QImage::Format_RGB32);
        picture.fill(Qt::white);
        const QString whole = dir.filePath("whole.png");
        QVERIFY(picture.save(whole));
        QFile damaged(dir.filePath("damaged.png"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(readAll(whole).left(60));
        damaged.close();
        const Output broken = run({"render", "--image", damaged.fileName()});
        QCOMPARE(broken.code, cli::kExitError);
        QCOMPARE(QString::fromStdString(broken.err), "simlumivel render: " + damaged.fileName() +
                                                         ": la imagen está dañada o incompleta\n");
    }

    // The walking effect composes only what reaches the sign: a long text gives one frame per
    // character, each of one sign's size.
    void longTextFramesStayBounded() {
        const std::string texto(20000, 'A');
        const Output s = runCli({"play", "--frames", "--effect", "caminando", texto});
        QCOMPARE(s.code, cli::kExitOk);
        const QStringList frames = outputLines(s.out);
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
        const Output s = runList(args);
        QCOMPARE(s.code, cli::kExitError);
        QVERIFY(s.out.empty());
        QVERIFY2(QString::fromStdString(s.err).contains(mensaje), s.err.c_str());
    }

    void everySubcommandExplainsItself() {
        for (const char* name :
             {"render", "compose", "play", "list", "add", "delete", "check", "send", "sign"}) {
            const Output help = runCli({name, "--help"});
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
        process.start(program(), {"render", "--font", "5x7", "--format", "hex", "A"});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(process.readAllStandardOutput().startsWith("7E 09 09 09 7E 00"));
        // The window alone needs a display: without one, a message instead of Qt's abort.
        process.start(program(), {});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), cli::kExitError);
        QVERIFY(process.readAllStandardError().contains("No hay pantalla"));
        // A lone file name is for the window too, not an unknown subcommand.
        process.start(program(), {"mensajes.men"});
        QVERIFY(process.waitForFinished(30000));
        QVERIFY(process.readAllStandardError().contains("No hay pantalla"));
    }
};

QTEST_APPLESS_MAIN(DisplayCliTest)
#include "test_display_cli.moc"
