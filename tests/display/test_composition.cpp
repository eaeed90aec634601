// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/accents.hpp"
#include "display/extra_glyphs.hpp"
#include "display/font_table.hpp"
#include "display/font_texts.hpp"
#include "display/missing_glyphs.hpp"
#include "display/picture_composer.hpp"

#include "support/started_state.hpp"

#include <QtTest>

using namespace lumivel;
using namespace lumivel::test;

namespace {

// The characters that have extra glyphs, Windows-1252, and the letter each is based on.
const std::string kExtras =
    "\xD1\xF1\xC1\xC9\xCD\xD3\xDA\xDC\xE1\xE9\xED\xF3\xFA\xFC\xBF\xA1\x80\xB0\xBA\xAA";
const std::string kBases = "NnAEIOUUaeiouu?!Eooa";

VisibleColumns picture(int font, const std::string& texto, Alignment alignment) {
    const auto p = composePicture(font, texto, alignment);
    VisibleColumns c{};
    std::copy(p.begin(), p.end(), c.begin());
    return c;
}

} // namespace

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
        const VisibleColumns c = a.visibleColumns();
        QCOMPARE(static_cast<int>(64 - std::count(c.begin(), c.end(), 0)), litColumns);
        QCOMPARE(int{a.l.xletra}, xletra);
        const auto first = std::find_if(c.begin(), c.end(), [](int b) { return b != 0; });
        QCOMPARE(first == c.end() ? -1 : static_cast<int>(first - c.begin()), firstLit);
    }

    void longTextIsCutAtTheSignEdge() {
        StartedState a(1);
        a.escribir(std::string(40, 'W'));
        QCOMPARE(int{a.l.xletra}, 64);
        QVERIFY(a.visibleColumns()[63] != 0);
        // A space typed at column 62 takes the cursor past 64 but never past 66.
        a.escribir(std::string(10, 'W') + "I" + "  ");
        QVERIFY(a.l.xletra <= 66);
        a.escribir(QString("W ").repeated(100).toStdString());
        QVERIFY(a.l.xletra >= 64 && a.l.xletra <= 66);
    }

    // The case button alternates; a font change always shows the new font.
    void caseButtonAlternatesAndFontChangesRedraw() {
        StartedState a;
        const VisibleColumns start = a.visibleColumns();
        selectOpletra(a.l, 2);
        QVERIFY(a.visibleColumns() != start);
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
        QCOMPARE(a.visibleColumns(), composed("HOLA", 3));
        a.escribir("HOLAS");

        // The same text again does not redraw.
        a.l.sign.borrar();
        a.escribir("HOLAS");
        a.l.sign.refrescar();
        QCOMPARE(a.visibleColumns(), VisibleColumns{});
    }

    void fonts_data() {
        QTest::addColumn<int>("font");
        QTest::newRow("5x5") << 0;
        QTest::newRow("5x7") << 1;
        QTest::newRow("5x9") << 2;
        QTest::newRow("negrita") << 3;
    }

    // Left alignment is what the sign shows; centre and right move the text whole.
    void composerLaysTextOutAsTheSign_data() { fonts_data(); }
    void composerLaysTextOutAsTheSign() {
        QFETCH(int, font);
        std::string ascii;
        for (char c = ' '; c <= '~'; ++c) {
            ascii += c;
        }
        for (const std::string& texto :
             {ascii, ascii.substr(40), std::string(" H\tI\x7F!"), std::string("HOLA")}) {
            QCOMPARE(picture(font, texto, Alignment::Left), composed(texto, font));
        }
        const VisibleColumns left = picture(font, "HOLA", Alignment::Left);
        const auto lit = [](int b) { return b != 0; };
        const int w =
            64 - static_cast<int>(std::find_if(left.rbegin(), left.rend(), lit) - left.rbegin());
        const VisibleColumns centre = picture(font, "HOLA", Alignment::Centre);
        const VisibleColumns right = picture(font, "HOLA", Alignment::Right);
        QCOMPARE(std::find_if(centre.begin(), centre.end(), lit) - centre.begin(), (64 - w) / 2);
        QVERIFY(std::equal(left.begin(), left.begin() + w, right.end() - w));
        // Wider than the sign: cut at the right whatever the alignment.
        QCOMPARE(picture(font, ascii, Alignment::Right), composed(ascii, font));
    }

    // Every extra glyph is drawn, differs from its plain letter, and only the composer has it.
    void extraGlyphsFillTheGaps_data() { fonts_data(); }
    void extraGlyphsFillTheGaps() {
        QFETCH(int, font);
        for (std::size_t i = 0; i < kExtras.size(); ++i) {
            const std::string extra(1, kExtras[i]);
            const GlyphColumns* glyph = extraGlyph(font, static_cast<unsigned char>(kExtras[i]));
            QVERIFY(glyph != nullptr && (*glyph)[0] != 0);
            QVERIFY2(picture(font, extra, Alignment::Left) !=
                         composed(std::string(1, kBases[i]), font),
                     extra.c_str());
            QCOMPARE(missingGlyphs(font, extra), extra);
            QCOMPARE(missingGlyphs(font, extra, true), std::string());
        }
        QCOMPARE(extraGlyph(font, 'A'), nullptr);
    }

    void missingLettersAreNamedOnce_data() {
        QTest::addColumn<int>("font");
        QTest::addColumn<QByteArray>("warn");
        // The double quote begins with an empty column in three fonts: it shows as a gap.
        QTest::newRow("5x5") << 0 << QByteArray("Sin letra en 5 x 5: \xF1, \xFA, \x80");
        QTest::newRow("5x7") << 1 << QByteArray("Sin letra en 5 x 7: \xF1, \xFA, \", \x80");
        QTest::newRow("5x9") << 2 << QByteArray("Sin letra en 5 x 9: \xF1, \xFA, \", \x80");
        QTest::newRow("negrita") << 3 << QByteArray("Sin letra en Negrita: \xF1, \xFA, \", \x80");
    }
    void missingLettersAreNamedOnce() {
        QFETCH(int, font);
        QFETCH(QByteArray, warn);
        const std::string missing = missingGlyphs(font, "A\xF1o \xF1"
                                                        "and\xFA \"\x80\"");
        QCOMPARE(QByteArray::fromStdString(missingGlyphsWarning(font, missing)), warn);
        QCOMPARE(missingGlyphs(font, "HOLA mundo 123"), std::string());
    }

    void accentsGiveWayToPlainVowels() {
        const UnaccentedText without =
            stripAccents("\xC1\xC9\xCD\xD3\xDA\xDC \xE1\xE9\xED\xF3\xFA\xFC A\xD1O");
        QCOMPARE(without.texto, std::string("AEIOUU aeiouu A\xD1O"));
        QVERIFY(without.enyeRemains);
        const UnaccentedText song = stripAccents("canci\xF3n");
        QCOMPARE(song.texto, std::string("cancion"));
        QVERIFY(!song.enyeRemains);
    }

    void everyFontTextIsWellFormed_data() { fonts_data(); }
    void everyFontTextIsWellFormed() {
        QFETCH(int, font);
        const std::string_view texts[] = {cincocinco, cincosiete, cinconueve, negrita};
        const std::string_view text = texts[font];
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
