// The real program in a real X server: start-up picture, typing, fonts and the case button.
#include "main_window.hpp"

#include <QtTest>

class EndToEndTextTest : public QObject {
    Q_OBJECT
  private slots:
    void startUpTypingFontsAndCase() {
        MainWindow w;
        QVERIFY2(w.start(), "the program did not start with its sign");
        QString diff = w.differs(composed(0, " LED LUMIVEL"), "e2e_startup");
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        // The lit ring around a lit centre, and the black between LEDs.
        QCOMPARE(w.shot.pixelColor(w.sign + QPoint(6 + 12 * 4 + 4, 6 + 12 * 1)),
                 QColor(157, 157, 157));
        QCOMPARE(w.shot.pixelColor(w.sign + QPoint(12, 12)), QColor(0, 0, 0));

        w.click(kText1);
        w.x.key("ctrl+a");
        w.x.type("Hola");
        diff = w.differs(composed(0, "Hola"), "e2e_typed");
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        w.click(kFont5x7);
        diff = w.differs(composed(1, "Hola"), "e2e_font");
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        w.click(kMayuscula);
        diff = w.differs(composed(1, "HOLA"), "e2e_case");
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }
};

QTEST_GUILESS_MAIN(EndToEndTextTest)
#include "test_e2e_text.moc"
