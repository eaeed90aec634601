#include "display/font_table.hpp"
#include "display/font_texts.hpp"

#include <QtTest>

using namespace lumivel;

class FontsTest : public QObject {
    Q_OBJECT
  private slots:
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

    void fiveByFiveRepeatsTheCapitalsForLowerCase() {
        FontTable table;
        table.cargaletra(cincocinco);
        for (int j = 0; j < 26 * 5; ++j) {
            QCOMPARE(table(('a' - 32) * 5 + j), table(('A' - 32) * 5 + j));
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

QTEST_APPLESS_MAIN(FontsTest)
#include "test_fonts.moc"
