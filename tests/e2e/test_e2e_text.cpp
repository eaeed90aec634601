// The real program in a real X server: start-up picture, typing, fonts and the case button.
#include "sign_reading.hpp"
#include "x_session.hpp"

#include <QtTest>

class EndToEndTextTest : public QObject {
    Q_OBJECT
  private slots:
    void startUpTypingFontsAndCase() {
        XSession x;
        QVERIFY2(x.started(), "Xvfb did not start");
        QVERIFY2(x.launch(), "the main window did not appear");

        QImage shot = x.stableScreenshot();
        const QPoint sign = x.signOrigin(shot);
        QVERIFY2(sign.x() >= 0, "no sign on the screen");
        x.keepScreenshot("e2e_startup");
        QString diff = differences(shot, sign, composed(0, " LED LUMIVEL"));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        // The lit ring around a lit centre, and the black between LEDs.
        QCOMPARE(shot.pixelColor(sign + QPoint(6 + 12 * 4 + 4, 6 + 12 * 1)), QColor(157, 157, 157));
        QCOMPARE(shot.pixelColor(sign + QPoint(12, 12)), QColor(0, 0, 0));

        const QPoint client = sign - QPoint(8, 48);
        x.click(client + QPoint(368 + 200, 176 + 11)); // Text1
        x.key("ctrl+a");
        x.type("Hola");
        shot = x.stableScreenshot();
        diff = differences(shot, sign, composed(0, "Hola"));
        x.keepScreenshot("e2e_typed");
        QVERIFY2(diff.isEmpty(), qPrintable(diff));

        x.click(client + QPoint(8 + 64 + 10, 168 + 16 + 8)); // "5 x 7"
        shot = x.stableScreenshot();
        x.keepScreenshot("e2e_font");
        diff = differences(shot, sign, composed(1, "Hola"));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));

        x.click(client + QPoint(472 + 20, 8 + 12)); // mayuscula
        shot = x.stableScreenshot();
        x.keepScreenshot("e2e_case");
        diff = differences(shot, sign, composed(1, "HOLA"));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }
};

QTEST_GUILESS_MAIN(EndToEndTextTest)
#include "test_e2e_text.moc"
