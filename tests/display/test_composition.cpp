#include "display/font_table.hpp"
#include "display/font_texts.hpp"

#include "support/started_state.hpp"

#include <QtTest>

using namespace lumivel;
using namespace lumivel::test;

class CompositionTest : public QObject {
    Q_OBJECT
  private slots:
    void layout_data() {
        QTest::addColumn<int>("font");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("firstLit");
        QTest::addColumn<int>("litColumns");
        QTest::addColumn<int>("xletra");
        QTest::newRow("A in 5x7") << 1 << QByteArray("A") << 0 << 5 << 6;
        QTest::newRow("space A") << 1 << QByteArray(" A") << 4 << 5 << 10;
        QTest::newRow("lone quote 5x7") << 1 << QByteArray("\"") << -1 << 0 << 1;
        QTest::newRow("lone quote 5x5") << 0 << QByteArray("\"") << 0 << 1 << 2;
        QTest::newRow("control char") << 1 << QByteArray("\tA") << 2 << 5 << 8;
        QTest::newRow("code 127..232 gap only") << 1 << QByteArray("\x80\xC1z") << 2 << 5 << 8;
        QTest::newRow("code 233..255 gap only") << 1 << QByteArray("\xE9\xF1\xFFz") << 3 << 5 << 9;
        QTest::newRow("empty") << 1 << QByteArray("") << -1 << 0 << 0;
    }
    void layout() {
        QFETCH(int, font);
        QFETCH(QByteArray, text);
        QFETCH(int, firstLit);
        QFETCH(int, litColumns);
        QFETCH(int, xletra);
        StartedState a(font);
        a.escribir(text.toStdString());
        const Columnas c = a.columnas();
        QCOMPARE(static_cast<int>(64 - std::count(c.begin(), c.end(), 0)), litColumns);
        QCOMPARE(int{a.l.xletra}, xletra);
        const auto first = std::find_if(c.begin(), c.end(), [](int b) { return b != 0; });
        QCOMPARE(first == c.end() ? -1 : static_cast<int>(first - c.begin()), firstLit);
    }

    void longTextIsCutAtTheSignEdge() {
        StartedState a(1);
        a.escribir(std::string(40, 'W'));
        QCOMPARE(int{a.l.xletra}, 64);
        QVERIFY(a.columnas()[63] != 0);
        // A space typed at column 62 takes the cursor past 64 but never past 66.
        a.escribir(std::string(10, 'W') + "I" + "  ");
        QVERIFY(a.l.xletra <= 66);
        a.escribir(QString("W ").repeated(100).toStdString());
        QVERIFY(a.l.xletra >= 64 && a.l.xletra <= 66);
    }

    // The case button alternates; a font change always shows the new font.
    void caseButtonAlternatesAndFontChangesRedraw() {
        StartedState a;
        const Columnas inicio = a.columnas();
        selectOpletra(a.l, 2);
        QVERIFY(a.columnas() != inicio);
        QCOMPARE(a.l.texto, std::string(" LED LUMIVEL"));

        a.escribir("Hola");
        mayuscula_Click(a.l);
        QCOMPARE(a.l.texto, std::string("HOLA"));
        QVERIFY(!a.l.refresco);
        mayuscula_Click(a.l);
        QCOMPARE(a.l.texto, std::string("hola"));
        QVERIFY(a.l.refresco);

        mayuscula_Click(a.l);
        selectOpletra(a.l, 3);
        QCOMPARE(a.l.tipoletra, std::int16_t{4});
        QCOMPARE(a.columnas(), composed("HOLA", 3));
        a.escribir("HOLAS");

        // The same text again does not redraw.
        a.l.sign.borrar();
        a.escribir("HOLAS");
        a.l.sign.refrescar();
        QCOMPARE(a.columnas(), Columnas{});
    }

    void everyFontTextIsWellFormed_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("5x5") << 0;
        QTest::newRow("5x7") << 1;
        QTest::newRow("5x9") << 2;
        QTest::newRow("negrita") << 3;
    }
    void everyFontTextIsWellFormed() {
        QFETCH(int, index);
        const std::string_view texts[] = {cincocinco, cincosiete, cinconueve, negrita};
        const std::string_view text = texts[index];
        QCOMPARE(text.size(), std::size_t{952});
        QVERIFY(text.substr(950) == "\r\n");
        for (char c : text.substr(0, 950)) {
            QVERIFY2((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'), "upper-case hex only");
        }
        FontTable table;
        table.cargaletra(text);
        for (int j = 0; j < 5; ++j) {
            QCOMPARE(table(j), std::int16_t{0}); // the space
        }
    }

    void oversizedTextStopsAtTheLastEntry() {
        // Longer than the table: must neither overrun nor crash.
        FontTable table;
        table.cargaletra(std::string(5000, 'F'));
        QCOMPARE(table(1000), std::int16_t{255});
        QCOMPARE(table(1001), std::int16_t{0});
        QCOMPARE(table(-1), std::int16_t{0});
    }
};

QTEST_APPLESS_MAIN(CompositionTest)
#include "test_composition.moc"
