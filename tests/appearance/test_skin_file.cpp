#include "appearance/skin_file.hpp"
#include "appearance/skin_table.hpp"
#include "session/lumivel.hpp"

#include <QtTest>

#include <set>

using namespace lumivel;

namespace {

const char* kMinima = "[skin]\nnombre = Prueba\ncolor = #102030\n";

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
        const Result<SkinData> lectura = readSkin(texto);
        QVERIFY(lectura.ok());
        const Result<SkinData> minima = readSkin(kMinima);
        QVERIFY(minima.ok() && minima->palette.empty() && minima->styleSheet.empty());
        QCOMPARE(lectura->nombre, std::string("Prueba"));
        QCOMPARE(lectura->color, (Rgb{0xA0, 0xB0, 0xC0}));
        QCOMPARE(lectura->palette.size(), std::size_t(2));
        QCOMPARE(lectura->palette[0].first, std::string("Window"));
        QCOMPARE(lectura->palette[1].second, (Rgb{0, 0, 1}));
        QCOMPARE(lectura->styleSheet,
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
        QTest::newRow("unknown section") << QByteArray(kMinima).append("[otra]\n");
        QTest::newRow("unknown role") << QByteArray(kMinima).append("[paleta]\nFondo = #000000\n");
        QTest::newRow("bad role colour")
            << QByteArray(kMinima).append("[paleta]\nWindow = #00000\n");
        QTest::newRow("line without equals") << QByteArray(kMinima).append("suelto\n");
        QTest::newRow("key before section") << QByteArray("color = #102030\n[skin]\n");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        for (const char* hoja : {"QWidget { background-image: url(/x.png); }",
                                 "QPushButton { border-image: URL ( 'a.png' ) 0; }",
                                 "QLabel { image: u\\rl(a.png); }"}) {
            QTest::addRow("style sheet loading an image: %s", hoja)
                << QByteArray(kMinima).append("[estilo]\n").append(hoja);
        }
        QTest::newRow("too large")
            << QByteArray(kMinima).append(QByteArray(int(kMaxSkinSize), '#'));
    }
    void corruptFilesAreRefused() {
        QFETCH(QByteArray, texto);
        QVERIFY(!readSkin(std::string_view(texto.constData(), texto.size())).ok());
    }

    void shippedSkinsAreValidAndDistinct() {
        std::vector<std::string> archivos = {kDefaultSkin};
        for (const SkinEntry& entrada : kSkins) {
            archivos.emplace_back(entrada.archivo);
        }
        std::set<std::tuple<int, int, int>> colores;
        std::set<std::string> hojas;
        for (const std::string& archivo : archivos) {
            const QString ruta = QFINDTESTDATA(QString::fromStdString("../../skins/" + archivo));
            QVERIFY2(!ruta.isEmpty(), archivo.c_str());
            QFile file(ruta);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            const Result<SkinData> lectura =
                readSkin(std::string_view(bytes.constData(), bytes.size()));
            QVERIFY2(lectura.ok(), archivo.c_str());
            QVERIFY(!lectura->styleSheet.empty());
            QCOMPARE(lectura->palette.size(), kPaletteRoles.size());
            const Rgb c = lectura->color;
            colores.insert({c.r, c.g, c.b});
            hojas.insert(lectura->styleSheet);
        }
        QCOMPARE(colores.size(), archivos.size());
        QCOMPARE(hojas.size(), archivos.size());
    }
};

QTEST_APPLESS_MAIN(TestSkinFile)
#include "test_skin_file.moc"
