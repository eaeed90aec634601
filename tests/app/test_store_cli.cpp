#include "store/message_file.hpp"

#include "support/command_line.hpp"
#include "support/file_bytes.hpp"
#include "support/message_fixture.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <filesystem>

using namespace lumivel;
using namespace lumivel::test;
namespace fs = std::filesystem;

namespace {

const std::string kPicture = "000FFF" + std::string(120, '0') + "81";

} // namespace

class StoreCliTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::string ruta(const std::string& nombre) const {
        return (fs::path(dir_.path().toStdString()) / nombre).string();
    }

  private slots:
    // The command line writes the records the window writes, byte for byte.
    void addModifyAndDeleteWriteTheWindowsRecords() {
        const std::string f = ruta("cli.men");
        QCOMPARE(runCli({"add", f, "Hola"}).out, std::string("1\n"));
        QCOMPARE(runCli({"add", "--font", "negrita", f, "--effect", "porfila", "--", "-dos-"}).out,
                 std::string("2\n"));
        QCOMPARE(runCli({"add", "--picture", kPicture, f}).out, std::string("3\n"));
        QCOMPARE(runCli({"modify", f, "1", "--effect=porcolumna", "Adios"}).code, 0);
        QCOMPARE(runCli({"delete", f, "2"}).code, 0);
        QCOMPARE(readBytes(f), registro(1, 3, 1, "Adios") + registro(2, 2, 4, "-dos-", '0') +
                                   registro(2, imagen(samplePicture())));
    }

    void listsPlainAndJson() {
        const std::string f = ruta("lista.men");
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
                    .out.starts_with("1\tPor Fila\t5 x 9\taño €\"\\\t(eliminado, posicion 1)\n"));

        const Salida js = runCli({"list", f, "--json", "--all"});
        const QJsonArray a = QJsonDocument::fromJson(QByteArray::fromStdString(js.out)).array();
        QCOMPARE(a.size(), 4);
        const QJsonObject borrado = a[0].toObject();
        QCOMPARE(borrado["estado"].toString(), QString("0"));
        QCOMPARE(borrado["presentacion"].toInt(), 2);
        QCOMPARE(borrado["letra"].toInt(), 3);
        QCOMPARE(borrado["texto"].toString(), QString::fromUtf8("año €\"\\"));
        QCOMPARE(a[1]["kind"].toString(), QString("picture"));
        QCOMPARE(a[1]["texto"].toString(), QString::fromStdString(kPicture));
        const Salida activos = runCli({"list", "--json", f});
        QCOMPARE(QJsonDocument::fromJson(QByteArray::fromStdString(activos.out)).array().size(), 3);
        writeBytes(ruta("vacia.men"), "");
        QCOMPARE(runCli({"list", "--json", ruta("vacia.men")}).out, std::string("[]\n"));
    }

    // "@" is a file holding one message, "#" a missing file, "%" a folder, "!" a full file:
    // a refused command exits with 2, says why and writes nothing.
    void refusalsWriteNothing_data() {
        QTest::addColumn<QStringList>("args");
        const QString pic = QString::fromStdString(kPicture);
        QTest::newRow("unknown number") << QStringList{"delete", "@", "7"};
        QTest::newRow("number not a number") << QStringList{"modify", "@", "uno", "x"};
        QTest::newRow("bad font") << QStringList{"add", "--font", "6x6", "@", "x"};
        QTest::newRow("bad effect") << QStringList{"add", "--effect", "salto", "@", "x"};
        QTest::newRow("short picture") << QStringList{"add", "--picture", "00FF", "@"};
        QTest::newRow("picture not hex") << QStringList{"add", "--picture", QString(128, 'G'), "@"};
        QTest::newRow("picture over a text") << QStringList{"modify", "--picture", pic, "@", "1"};
        QTest::newRow("missing text") << QStringList{"add", "@"};
        QTest::newRow("text and picture") << QStringList{"add", "--picture", pic, "@", "x"};
        QTest::newRow("list a missing file") << QStringList{"list", "#"};
        QTest::newRow("delete in a missing file") << QStringList{"delete", "#", "1"};
        QTest::newRow("modify in a missing file") << QStringList{"modify", "#", "1", "x"};
        QTest::newRow("add to a folder") << QStringList{"add", "%", "x"};
        QTest::newRow("add in a missing folder") << QStringList{"add", "#/x.men", "x"};
        QTest::newRow("add to a full file") << QStringList{"add", "!", "x"};
    }
    void refusalsWriteNothing() {
        QFETCH(QStringList, args);
        const std::string f = ruta("uno.men");
        fs::remove(f);
        QCOMPARE(runCli({"add", f, "uno"}).code, 0);
        const std::string uno = readBytes(f);
        const std::string lleno = ruta("lleno.men");
        if (!fs::exists(lleno)) {
            writeBytes(lleno, "");
            fs::resize_file(lleno, std::uintmax_t{MessageFile::kMaxRecords} * 137);
        }
        fs::create_directories(ruta("carpeta.men"));
        const std::string falta = ruta("falta.men");
        for (QString& a : args) {
            a.replace("@", QString::fromStdString(f))
                .replace("#", QString::fromStdString(falta))
                .replace("%", QString::fromStdString(ruta("carpeta.men")))
                .replace("!", QString::fromStdString(lleno));
        }
        const Salida s = runList(args);
        QCOMPARE(s.code, cli::kExitError);
        QVERIFY(!s.err.empty());
        QVERIFY(s.out.empty());
        QCOMPARE(readBytes(f), uno);
        QVERIFY(!fs::exists(falta));
        QVERIFY(fs::is_empty(ruta("carpeta.men")));
        QCOMPARE(fs::file_size(lleno), std::uintmax_t{MessageFile::kMaxRecords} * 137);
    }
};

QTEST_MAIN(StoreCliTest)
#include "test_store_cli.moc"
