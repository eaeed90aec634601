// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/message_file.hpp"

#include "support/command_line.hpp"
#include "support/file_bytes.hpp"
#include "support/message_fixture.hpp"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace lumivel;
using namespace lumivel::test;
namespace fs = std::filesystem;

namespace {

const std::string kPicture = "000FFF" + std::string(120, '0') + "81";

// Starts the built executable with `args`, its output discarded.
pid_t launch(const std::vector<std::string>& args) {
    const std::string program = lumivel::test::program().toStdString();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fileActions;
    posix_spawn_file_actions_init(&fileActions);
    posix_spawn_file_actions_addopen(&fileActions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&fileActions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &fileActions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&fileActions);
    return pid;
}

// The exit code, or -1 when it did not exit by itself.
int waitUntil(pid_t pid) {
    int estado = 0;
    if (pid < 0 || ::waitpid(pid, &estado, 0) != pid || !WIFEXITED(estado)) {
        return -1;
    }
    return WEXITSTATUS(estado);
}

} // namespace

class StoreCliTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::string path(const std::string& name) const {
        return (fs::path(dir_.path().toStdString()) / name).string();
    }

  private slots:
    // The command line writes the records the window writes, byte for byte.
    void addModifyAndDeleteWriteTheWindowsRecords() {
        const std::string f = path("cli.men");
        QCOMPARE(runCli({"add", f, "Hola"}).out, std::string("1\n"));
        QCOMPARE(runCli({"add", "--font", "negrita", f, "--effect", "porfila", "--", "-dos-"}).out,
                 std::string("2\n"));
        QCOMPARE(runCli({"add", "--picture", kPicture, f}).out, std::string("3\n"));
        QCOMPARE(runCli({"modify", f, "1", "--effect=porcolumna", "Adios"}).code, 0);
        QCOMPARE(runCli({"delete", f, "2"}).code, 0);
        QCOMPARE(readBytes(f), record(1, 3, 1, "Adios") + record(2, 2, 4, "-dos-", '0') +
                                   record(2, image(samplePicture())));
    }

    // Each prints the numbering that results; a listing imported into an empty file gives
    // the same bytes, from a file or through a pipe.
    void moveDuplicateAndImport() {
        const std::string a = path("orden.men");
        runCli({"add", a, "uno"});
        runCli({"add", "--picture", kPicture, a});
        runCli({"add", "--effect", "porfila", a, "tres"});
        const std::string list =
            "1\tPor Fila\t5 x 5\ttres\n2\tCaminando\t5 x 5\tuno\n3\timagen\t" + kPicture + "\n";
        QCOMPARE(runCli({"move", a, "3", "1"}).out, list);
        QCOMPARE(runCli({"duplicate", a, "2"}).out, list + "4\tCaminando\t5 x 5\tuno\n");

        const std::string json = path("orden.json");
        writeBytes(json, runCli({"list", "--json", a}).out);
        QCOMPARE(runCli({"import", path("copia.men"), json}).code, 0);
        QCOMPARE(readBytes(path("copia.men")), readBytes(a));
        QProcess pipe;
        pipe.start(program(), {"import", QString::fromStdString(path("tubo.men")), "-"});
        pipe.write(QByteArray::fromStdString(readBytes(json)));
        pipe.closeWriteChannel();
        QVERIFY(pipe.waitForFinished(60000));
        QCOMPARE(pipe.exitCode(), 0);
        QCOMPARE(readBytes(path("tubo.men")), readBytes(a));
    }

    // A text a record cannot hold is refused whole; one it holds with replacements is stored
    // with a warning.
    void textsThatDoNotFitAreRefusedOrWarned() {
        const std::string f = path("largo.men");
        QCOMPARE(runCli({"add", f, std::string(130, 'a')}).code, 0);
        const std::string before = readBytes(f);
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"add", f, std::string(131, 'b')},
              std::vector<std::string>{"modify", f, "1", std::string(200, 'c')}}) {
            const Output s = runCli(args);
            QCOMPARE(s.code, cli::kExitError);
            QVERIFY2(s.err.find(std::to_string(args.back().size()) + " caracteres") !=
                         std::string::npos,
                     s.err.c_str());
            QCOMPARE(readBytes(f), before);
        }
        // Two-byte UTF-8 characters count once: 130 of them fit.
        QCOMPARE(runCli({"modify", f, "1", "ñ" + std::string(129, 'n')}).code, 0);

        const Output replacement = runCli({"add", f, "ő ok? 😀"});
        QCOMPARE(replacement.code, 0);
        QVERIFY2(replacement.err.find("2 caracteres") != std::string::npos,
                 replacement.err.c_str());
        // Kept in Windows-1252, though no font shows it.
        QCOMPARE(runCli({"add", f, "¿ok?"}).err,
                 std::string("simlumivel add: aviso: Sin letra en 5 x 5: ¿\n"));
        QVERIFY(runCli({"render", "日"}).err.find("1 carácter") != std::string::npos);
    }

    // Each kind of problem in a file of its own, then all at once; plain and JSON, and the
    // exit code says whether anything is wrong.
    void checkReportsWhatWillNotShow() {
        const std::string f = path("revisar.men");
        QCOMPARE(runCli({"add", "--font", "5x7", f, "Año"}).err,
                 std::string("simlumivel add: aviso: Sin letra en 5 x 7: ñ\n"));
        runCli({"add", "--picture", kPicture, f});
        runCli({"add", "--effect", "caminando", f, std::string(30, 'W')});
        runCli({"add", "--effect", "porcolumna", f, std::string(10, 'W') + " TIENDA LEJOS "});
        runCli({"add", "--compose", "--font", "5x7", f, "Año"});
        const Output plain = runCli({"check", f});
        QCOMPARE(plain.code, cli::kExitMismatch);
        QCOMPARE(plain.out, std::string("Mensaje 1: sin letra en 5 x 7: ñ\n"
                                        "Mensaje 4: el texto ocupa 131 columnas; el Lumivel "
                                        "muestra 64: no se verá «TIENDA LEJOS»\n"
                                        "Imagen: 200 de 8.191 bytes\n"));
        const Output js = runCli({"check", "--json", f});
        QCOMPARE(js.code, cli::kExitMismatch);
        const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(js.out)).object();
        QCOMPARE(o["image_bytes"].toInt(), 200);
        QCOMPARE(o["capacity"].toInt(), 8191);
        const QJsonArray m = o["messages"].toArray();
        QCOMPARE(m.size(), 5);
        QCOMPARE(m[0]["problems"][0]["chars"].toString(), QString("ñ"));
        QCOMPARE(m[3]["position"].toInt(), 4);
        QCOMPARE(m[3]["problems"][0]["kind"].toString(), QString("cut"));
        QCOMPARE(m[3]["problems"][0]["columns"].toInt(), 131);
        for (const int ok : {1, 2, 4}) {
            QCOMPARE(m[ok]["problems"].toArray().size(), 0);
        }

        runCli({"delete", f, "4"});
        runCli({"delete", f, "1"});
        QCOMPARE(runCli({"check", f}).code, cli::kExitOk);
        runCli({"add", "--picture", std::string(128, '0'), f});
        const Output unlit = runCli({"check", f});
        QCOMPARE(unlit.code, cli::kExitMismatch);
        QVERIFY(unlit.out.starts_with(
            "Mensaje 4: la imagen no enciende ningún LED; el Lumivel no mostrará nada\n"));
        // An image the sign cannot hold: 62 full texts of 133 bytes and the closing pair.
        std::string full;
        for (std::int16_t n = 1; n <= 62; ++n) {
            full += record(n, 1, 1, std::string(130, 'A'));
        }
        writeBytes(path("sin_sitio.men"), full);
        const Output big = runCli({"check", path("sin_sitio.men")});
        QCOMPARE(big.code, cli::kExitMismatch);
        QCOMPARE(big.out, std::string("Imagen: 8.247 de 8.191 bytes: no cabe en el Lumivel\n"));
        QCOMPARE(runCli({"check", path("no.men")}).code, cli::kExitError);
        QCOMPARE(runCli({"check", "--wire", f}).code, cli::kExitError);
    }

    // The whole file plays as each message plays alone, one after another.
    void playFileChainsEveryMessage() {
        const std::string f = path("todo.men");
        runCli({"add", "--effect", "porfila", "--font", "5x7", f, "AÑO"});
        runCli({"add", "--compose", "--align", "center", f, "AÑO"});
        runCli({"add", "--effect", "caminando", f, "borrado"});
        runCli({"add", "--effect", "porcolumna", "--font", "negrita", f, "Hi"});
        runCli({"delete", f, "3"});
        const auto frames = [](const std::vector<std::string>& args) {
            return QString::fromStdString(runCli(args).out).split('\n', Qt::SkipEmptyParts);
        };
        QStringList expected =
            frames({"play", "--effect", "porfila", "--font", "5x7", "--frames", "AÑO"});
        expected.removeLast();
        expected << "3000 " +
                        QString::fromStdString(
                            runCli({"compose", "--align", "center", "--format", "hex", "AÑO"}).out)
                            .trimmed();
        expected << frames(
            {"play", "--effect", "porcolumna", "--font", "negrita", "--frames", "Hi"});
        QCOMPARE(frames({"play", "--frames", "--file", f}), expected);
        QCOMPARE(runCli({"play", "--file", path("vacio.men")}).code, cli::kExitError);
    }

    void listEscapesControlCharacters() {
        const std::string f = path("control.men");
        runCli({"add", f,
                "a\x1b]0;titulo\x07"
                "b\nc\td"});
        QCOMPARE(runCli({"list", f}).out,
                 std::string("1\tCaminando\t5 x 5\ta\\u001b]0;titulo\\u0007b\\u000ac\\u0009d\n"));
    }

    void listsPlainAndJson() {
        const std::string f = path("lista.men");
        runCli({"add", "--effect", "porfila", "--font", "5x9", f, "año €\"\\"});
        runCli({"add", "--picture", kPicture, f});
        runCli({"add", f, "tercero"});
        runCli({"delete", f, "1"});
        // Stored as Windows-1252; what it cannot hold becomes "?".
        runCli({"add", f, "ñ€日"});
        QCOMPARE(recordAt(readBytes(f), 4).texto.substr(0, 3), std::string("\xF1\x80?"));

        QCOMPARE(runCli({"list", f}).out, "1\timagen\t" + kPicture + "\n" +
                                              "2\tCaminando\t5 x 5\ttercero\n" +
                                              "3\tCaminando\t5 x 5\tñ€?\n");
        QVERIFY(runCli({"list", "--all", f})
                    .out.starts_with("1\tPor Fila\t5 x 9\taño €\"\\\t(eliminado, posición 1)\n"));

        const Output js = runCli({"list", f, "--json", "--all"});
        const QJsonArray a = QJsonDocument::fromJson(QByteArray::fromStdString(js.out)).array();
        QCOMPARE(a.size(), 4);
        QCOMPARE(a[0]["estado"].toString(), QString("0"));
        QCOMPARE(a[0]["texto"].toString(), QString::fromUtf8("año €\"\\"));
        QCOMPARE(a[1]["kind"].toString(), QString("picture"));
    }

    // An image is stored as the picture render shows; the number is printed.
    void addImageStoresItsPicture() {
        const QString f = QString::fromStdString(path("imagen.men"));
        QImage half(64, 8, QImage::Format_RGB32);
        half.fill(Qt::black);
        QPainter(&half).fillRect(0, 0, 64, 4, QColor(200, 200, 200));
        const QString png = QString::fromStdString(path("mitad.bmp"));
        QVERIFY(half.save(png));
        QCOMPARE(runList({"add", "--image", png, f}).out, std::string("1\n"));
        QCOMPARE(runList({"add", "--image", png, "--invert", f}).out, std::string("2\n"));
        QCOMPARE(QString::fromStdString(runList({"list", f}).out),
                 "1\timagen\t" + QString("0F").repeated(64) + "\n2\timagen\t" +
                     QString("F0").repeated(64) + "\n");
        // A square logo fills 8 of the 64 columns: inverted, the margins stay dark.
        QImage logo(8, 8, QImage::Format_RGB32);
        logo.fill(Qt::black);
        const QString square = QString::fromStdString(path("logo.bmp"));
        QVERIFY(logo.save(square));
        QCOMPARE(runList({"add", "--image", square, "--invert", f}).out, std::string("3\n"));
        QVERIFY(QString::fromStdString(runList({"list", f}).out)
                    .endsWith("3\timagen\t" + QString("00").repeated(28) +
                              QString("FF").repeated(8) + QString("00").repeated(28) + "\n"));
    }

    // "@" is a file holding one message, "#" a missing file, "%" a folder, "!" a full file:
    // a refused command exits with 2, says why and writes nothing.
    void refusalsWriteNothing_data() {
        QTest::addColumn<QStringList>("args");
        const QString pic = QString::fromStdString(kPicture);
        QTest::newRow("unknown number") << QStringList{"delete", "@", "7"};
        QTest::newRow("bad font") << QStringList{"add", "--font", "6x6", "@", "x"};
        QTest::newRow("bad effect") << QStringList{"add", "--effect", "salto", "@", "x"};
        QTest::newRow("short picture") << QStringList{"add", "--picture", "00FF", "@"};
        QTest::newRow("picture over a text") << QStringList{"modify", "--picture", pic, "@", "1"};
        QTest::newRow("missing text") << QStringList{"add", "@"};
        QTest::newRow("text and picture") << QStringList{"add", "--picture", pic, "@", "x"};
        QTest::newRow("message file as image") << QStringList{"add", "--image", "@", "#"};
        QTest::newRow("list a missing file") << QStringList{"list", "#"};
        QTest::newRow("modify in a missing file") << QStringList{"modify", "#", "1", "x"};
        QTest::newRow("add to a folder") << QStringList{"add", "%", "x"};
        QTest::newRow("add to a full file") << QStringList{"add", "!", "x"};
        QTest::newRow("move to no place") << QStringList{"move", "@", "1", "2"};
        QTest::newRow("duplicate unknown") << QStringList{"duplicate", "@", "2"};
        QTest::newRow("import a bad entry") << QStringList{"import", "@", "&"};
        QTest::newRow("import into a missing file") << QStringList{"import", "#", "&"};
        QTest::newRow("export unknown") << QStringList{"export", "--png", "#", "@", "7"};
    }
    void refusalsWriteNothing() {
        QFETCH(QStringList, args);
        const std::string f = path("uno.men");
        fs::remove(f);
        QCOMPARE(runCli({"add", f, "uno"}).code, 0);
        const std::string original = readBytes(f);
        const std::string full = path("lleno.men");
        if (!fs::exists(full)) {
            writeBytes(full, "");
            fs::resize_file(full, std::uintmax_t{MessageFile::kMaxRecords} * 137);
        }
        fs::create_directories(path("carpeta.men"));
        const std::string missing = path("falta.men");
        const std::string bad = path("malo.json");
        writeBytes(bad,
                   "[{\"kind\": \"text\", \"presentacion\": 1, \"letra\": 1, \"texto\": \"a\"},"
                   " {\"kind\": \"text\", \"presentacion\": 1, \"letra\": 9, \"texto\": \"b\"}]");
        for (QString& a : args) {
            a.replace("@", QString::fromStdString(f))
                .replace("#", QString::fromStdString(missing))
                .replace("%", QString::fromStdString(path("carpeta.men")))
                .replace("!", QString::fromStdString(full))
                .replace("&", QString::fromStdString(bad));
        }
        const Output s = runList(args);
        QCOMPARE(s.code, cli::kExitError);
        QVERIFY(!s.err.empty());
        QVERIFY(s.out.empty());
        QCOMPARE(readBytes(f), original);
        QVERIFY(!fs::exists(missing));
        QVERIFY(fs::is_empty(path("carpeta.men")));
        QCOMPARE(fs::file_size(full), std::uintmax_t{MessageFile::kMaxRecords} * 137);
    }

    // Anything but a regular file is refused by name, and nothing waits on a FIFO.
    void nonRegularFilesAreRefused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("add to /dev/null") << QStringList{"add", "/dev/null", "x"};
        QTest::newRow("add to a fifo") << QStringList{"add", "@", "x"};
        QTest::newRow("list a fifo") << QStringList{"list", "@"};
    }
    void nonRegularFilesAreRefused() {
        QFETCH(QStringList, args);
        const std::string fifo = path("tuberia.men");
        if (!fs::exists(fifo)) {
            QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        }
        args.replaceInStrings("@", QString::fromStdString(fifo));
        const Output s = runList(args);
        QCOMPARE(s.code, cli::kExitError);
        QVERIFY(s.out.empty());
        QVERIFY(s.err.find(args[1].toStdString()) != std::string::npos);
        QVERIFY(s.err.find("no es un archivo normal") != std::string::npos);
    }

    void listWarnsOfAPartialLastRecord() {
        const std::string f = path("cola.men");
        writeBytes(f, record(1, 1, 1, "uno") + std::string(23, 'z'));
        const Output s = runCli({"list", f});
        QCOMPARE(s.code, 0);
        QCOMPARE(s.out, std::string("1\tCaminando\t5 x 5\tuno\n"));
        QVERIFY(s.err.find("23 bytes al final de " + f) != std::string::npos);
        writeBytes(f, record(1, 1, 1, "uno"));
        QCOMPARE(runCli({"list", f}).err, std::string());
    }

    // Two programs adding at once: every message kept, numbers unique and in order.
    void concurrentAddsKeepEveryMessage() {
        const std::string f = path("juntos.men");
        constexpr int kPerProcess = 12;
        std::atomic<int> faults{0};
        const auto add = [&] {
            for (int i = 0; i < kPerProcess; ++i) {
                faults += waitUntil(launch({"add", f, "x"})) == 0 ? 0 : 1;
            }
        };
        std::thread other(add);
        add();
        other.join();
        QCOMPARE(faults.load(), 0);
        const std::string bytes = readBytes(f);
        QCOMPARE(bytes.size(), std::size_t{2 * kPerProcess * 137});
        for (int n = 1; n <= 2 * kPerProcess; ++n) {
            QCOMPARE(int{recordAt(bytes, n).numero}, n);
        }
    }

    // A delete killed at any moment leaves the file exactly as it was before or after.
    void killedDeleteLeavesBeforeOrAfter() {
        const std::string f = path("grande.men");
        constexpr int kRecords = 3000;
        std::string before;
        std::string after = record(1, 1, 1, "m", '0');
        for (int n = 1; n <= kRecords; ++n) {
            before += record(static_cast<std::int16_t>(n), 1, 1, "m");
            if (n > 1) {
                after += record(static_cast<std::int16_t>(n - 1), 1, 1, "m");
            }
        }
        writeBytes(f, before);
        QElapsedTimer stopwatch;
        stopwatch.start();
        QCOMPARE(waitUntil(launch({"delete", f, "1"})), 0);
        QVERIFY(readBytes(f) == after);
        const qint64 wholeRunMs = std::max<qint64>(stopwatch.elapsed(), 1);

        std::mt19937 rng{std::random_device{}()};
        std::uniform_int_distribution<qint64> delay(0, wholeRunMs * 1000 * 6 / 5);
        int attempts = 0;
        stopwatch.restart();
        while (attempts < 8 || stopwatch.elapsed() < 3000) {
            writeBytes(f, before);
            const pid_t child = launch({"delete", f, "1"});
            std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
            ::kill(child, SIGKILL);
            waitUntil(child);
            const std::string now = readBytes(f);
            QVERIFY2(now == before || now == after,
                     qPrintable(QString("intento %1: %2 bytes").arg(attempts).arg(now.size())));
            ++attempts;
            if (attempts > 200) {
                break;
            }
        }
    }
};

QTEST_MAIN(StoreCliTest)
#include "test_store_cli.moc"
