#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "display/shown_sign.hpp"
#include "session/startup.hpp"

#include <QtTest>

using namespace lumivel;

namespace {

struct Started {
    ShownSign shown;
    Lumivel l;
    explicit Started(int font = 0) {
        l.sign.setSurface(&shown);
        arrancar(l, "/programa");
        seleccionarOpletra(l, font);
    }
    void type(const std::string& bytes) { cambiarTexto(l, bytes); }
    std::uint8_t column(int c) const {
        unsigned v = 0;
        for (int r = 0; r < 8; ++r) {
            v |= (l.sign.matriz[c][r] == 1 ? 1U : 0U) << r;
        }
        return static_cast<std::uint8_t>(v);
    }
    int litColumns() const {
        int n = 0;
        for (int c = 0; c < 64; ++c) {
            n += column(c) != 0 ? 1 : 0;
        }
        return n;
    }
};

} // namespace

class CompositionTest : public QObject {
    Q_OBJECT
  private slots:
    void startUpShowsTheDefaultText() {
        Started s;
        QCOMPARE(s.l.texto, std::string(" LED LUMIVEL"));
        QCOMPARE(s.l.tipoletra, std::int16_t{1});
        QCOMPARE(s.l.tipopresentacion, std::int16_t{1});
        QCOMPARE(s.l.totalmensajes, std::int16_t{1});
        QVERIFY(s.l.refresco);
        QCOMPARE(s.l.archivoskin, std::string("/programa/winaqua.skn"));
        // The leading space takes columns 0..3; L is 3E 20 20 20 20 in 5 x 5.
        QCOMPARE(s.column(3), std::uint8_t{0});
        QCOMPARE(s.column(4), std::uint8_t{0x3E});
        QCOMPARE(s.column(8), std::uint8_t{0x20});
        QCOMPARE(QString::fromStdString(s.shown.hexLine().substr(0, 29)),
                 QString("00 00 00 00 3E 20 20 20 20 00"));
    }

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
        QTest::newRow("code 127..232 gap only") << 1
                                                << QByteArray("\x80\xC1"
                                                              "A")
                                                << 2 << 5 << 8;
        QTest::newRow("code 233..255 gap only") << 1
                                                << QByteArray("\xE9\xF1\xFF"
                                                              "A")
                                                << 3 << 5 << 9;
        QTest::newRow("empty") << 1 << QByteArray("") << -1 << 0 << 0;
    }
    void layout() {
        QFETCH(int, font);
        QFETCH(QByteArray, text);
        QFETCH(int, firstLit);
        QFETCH(int, litColumns);
        QFETCH(int, xletra);
        Started s(font);
        s.type(text.toStdString());
        QCOMPARE(s.litColumns(), litColumns);
        QCOMPARE(int{s.l.xletra}, xletra);
        int first = -1;
        for (int c = 0; c < 64 && first < 0; ++c) {
            first = s.column(c) != 0 ? c : -1;
        }
        QCOMPARE(first, firstLit);
    }

    void letterABytes() {
        Started s(1);
        s.type("A");
        const std::uint8_t a[] = {126, 9, 9, 9, 126};
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(s.column(c), a[c]);
        }
    }

    void longTextIsCutAtTheSignEdge() {
        Started s(1);
        s.type(std::string(40, 'W'));
        QCOMPARE(int{s.l.xletra}, 64);
        QVERIFY(s.column(63) != 0);
        QCOMPARE(s.shown.hexLine().size(), std::size_t{64 * 3 - 1});
        // A space typed at column 62 takes the cursor past 64 but never past 66.
        Started t(1);
        t.type(std::string(10, 'W') + "I" + "  ");
        QVERIFY(t.l.xletra <= 66);
        Started u(1);
        std::string fill;
        while (fill.size() < 200) {
            fill += "W ";
        }
        u.type(fill);
        QVERIFY(u.l.xletra >= 64 && u.l.xletra <= 66);
    }

    void caseButtonAlternatesAndControlsFontRedraw() {
        Started s(0);
        s.type("Hola");
        mayuscula_Click(s.l);
        QCOMPARE(s.l.texto, std::string("HOLA"));
        QVERIFY(!s.l.refresco);
        mayuscula_Click(s.l);
        QCOMPARE(s.l.texto, std::string("hola"));
        QVERIFY(s.l.refresco);

        mayuscula_Click(s.l); // upper, refresco False: a font change does not redraw
        const auto before = s.shown.hexLine();
        seleccionarOpletra(s.l, 3);
        QCOMPARE(s.l.tipoletra, std::int16_t{4});
        QCOMPARE(s.shown.hexLine(), before);
        s.type("HOLAS"); // the next change shows the new font
        QVERIFY(s.shown.hexLine() != before);
    }

    void fontChoiceRerendersWhenAllowed() {
        Started s(0);
        const auto before = s.shown.hexLine();
        seleccionarOpletra(s.l, 2);
        QVERIFY(s.shown.hexLine() != before);
        QCOMPARE(s.l.texto, std::string(" LED LUMIVEL"));
    }

    void settingTheSameTextDoesNotRedraw() {
        Started s(0);
        s.l.sign.borrar(); // matriz changed behind the text box's back
        s.type(" LED LUMIVEL");
        QCOMPARE(s.litColumns(), 0);
    }
};

QTEST_APPLESS_MAIN(CompositionTest)
#include "test_composition.moc"
