// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/skin_file.hpp"
#include "appearance/skin_table.hpp"

#include <QtTest>

#include <set>

using namespace lumivel;

namespace {

const char* kMinimum = "[skin]\nnombre = Prueba\ncolor = #102030\n";

} // namespace

class TestSkinFile : public QObject {
    Q_OBJECT

  private slots:
    void readsAllThreeSections() {
        const std::string texto = "# comentario\r\n"
                                  "[skin]\r\n"
                                  "nombre = Prueba\r\n"
                                  "color = #a0B0c0\r\n"
                                  "futuro = algo\r\n"
                                  "\r\n"
                                  "[paleta]\n"
                                  "; otro comentario\n"
                                  "Window = #FFFFFF\n"
                                  "ButtonText=#000001\n"
                                  "[estilo]\n"
                                  "# not a comment here\n"
                                  "QPushButton { color: #123456; }\n";
        const Result<SkinData> read = readSkin(texto);
        QVERIFY(read.ok());
        const Result<SkinData> minimum = readSkin(kMinimum);
        QVERIFY(minimum.ok() && minimum->palette.empty() && minimum->styleSheet.empty());
        QCOMPARE(read->name, std::string("Prueba"));
        QCOMPARE(read->color, (Rgb{0xA0, 0xB0, 0xC0}));
        QCOMPARE(read->palette.size(), std::size_t(2));
        QCOMPARE(read->palette[0].first, std::string("Window"));
        QCOMPARE(read->palette[1].second, (Rgb{0, 0, 1}));
        QCOMPARE(read->styleSheet,
                 std::string("# not a comment here\nQPushButton { color: #123456; }\n"));
    }

    void corruptFilesAreRefused_data() {
        QTest::addColumn<QByteArray>("texto");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no colour") << QByteArray("[skin]\nnombre = x\n");
        QTest::newRow("only style") << QByteArray("[estilo]\ncolor = #102030\n");
        QTest::newRow("short colour") << QByteArray("[skin]\ncolor = #12345\n");
        QTest::newRow("not hex") << QByteArray("[skin]\ncolor = #GG0000\n");
        QTest::newRow("named colour") << QByteArray("[skin]\ncolor = red\n");
        QTest::newRow("unknown section") << QByteArray(kMinimum).append("[otra]\n");
        QTest::newRow("unknown role") << QByteArray(kMinimum).append("[paleta]\nFondo = #000000\n");
        QTest::newRow("bad role colour")
            << QByteArray(kMinimum).append("[paleta]\nWindow = #00000\n");
        QTest::newRow("line without equals") << QByteArray(kMinimum).append("suelto\n");
        QTest::newRow("key before section") << QByteArray("color = #102030\n[skin]\n");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        for (const char* sheet : {"QWidget { background-image: url(/x.png); }",
                                  "QPushButton { border-image: URL ( 'a.png' ) 0; }",
                                  "QLabel { image: u\\rl(a.png); }"}) {
            QTest::addRow("style sheet loading an image: %s", sheet)
                << QByteArray(kMinimum).append("[estilo]\n").append(sheet);
        }
        QTest::newRow("too large")
            << QByteArray(kMinimum).append(QByteArray(int(kMaxSkinSize), '#'));
    }
    void corruptFilesAreRefused() {
        QFETCH(QByteArray, texto);
        QVERIFY(!readSkin(std::string_view(texto.constData(), texto.size())).ok());
    }

    void shippedSkinsAreValidAndDistinct() {
        std::vector<std::string> files = {kDefaultSkin};
        for (const SkinEntry& input : kSkins) {
            files.emplace_back(input.archivo);
        }
        std::set<std::tuple<int, int, int>> colours;
        std::set<std::string> sheets;
        for (const std::string& archivo : files) {
            const QString path = QFINDTESTDATA(QString::fromStdString("../../skins/" + archivo));
            QVERIFY2(!path.isEmpty(), archivo.c_str());
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const Result<SkinData> read =
                readSkin(std::string_view(bytes.constData(), bytes.size()));
            QVERIFY2(read.ok(), archivo.c_str());
            QVERIFY(!read->styleSheet.empty());
            QCOMPARE(read->palette.size(), kPaletteRoles.size());
            const Rgb c = read->color;
            colours.insert({c.r, c.g, c.b});
            sheets.insert(read->styleSheet);
        }
        QCOMPARE(colours.size(), files.size());
        QCOMPARE(sheets.size(), files.size());
    }
};

QTEST_APPLESS_MAIN(TestSkinFile)
#include "test_skin_file.moc"
