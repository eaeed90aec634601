// The real program in a real X server, driven with clicks and keys: an effect, a picture kept in
// a message file and read back, a skin and an LED colour.
#include "sign_reading.hpp"
#include "store/message_file.hpp"
#include "x_session.hpp"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Client-area positions of the main window's controls (the designs' twips / 15).
const QPoint kTextMode(416 + 20, 8 + 12);
const QPoint kDrawingMode(376 + 20, 8 + 12);
const QPoint kPorFila(8 + 88 + 10, 216 + 16 + 8);
const QPoint kPlay(536 + 30, 8 + 12);
const QPoint kAdicionar(392 + 40, 216 + 12);
const QPoint kGuardar(96 + 30, 8 + 12);
const QPoint kAbrir(56 + 30, 8 + 12);
const QPoint kNuevo(18 + 6, 8 + 12);
const QPoint kLstcodigo(328 + 20, 176 + 10);
const QPoint kConfigurar(600 + 30, 8 + 12);

struct Started {
    XSession x;
    QPoint sign{-1, -1};
    QPoint client;
    QImage shot;

    bool start() {
        if (!x.started() || !x.launch()) {
            return false;
        }
        shot = x.stableScreenshot();
        sign = x.signOrigin(shot);
        client = sign - QPoint(8, 48);
        return sign.x() >= 0;
    }
    void click(QPoint inClient) { x.click(client + inClient); }
};

// Rows shown in a frame of "Por Fila" are always the full text cut to its bottom rows.
int shownFromRow(const LedGrid& seen, const LedGrid& full) {
    for (int from = 0; from <= 8; ++from) {
        bool matches = true;
        for (int c = 0; c < 64 && matches; ++c) {
            for (int r = 0; r < 8 && matches; ++r) {
                matches = seen[c][r] == (full[c][r] && r >= from);
            }
        }
        if (matches) {
            return from;
        }
    }
    return -1;
}

} // namespace

class EndToEndSessionTest : public QObject {
    Q_OBJECT
  private slots:
    void porFilaRevealsTheBottomRowFirst() {
        Started s;
        QVERIFY2(s.start(), "the program did not start with its sign");
        s.click(kPorFila);
        const LedGrid full = composed(0, " LED LUMIVEL");
        bool sawPartial = false;
        // Capturing is slower than the 30 ms frames: play until a partial frame is caught.
        for (int round = 0; round < 4 && !sawPartial; ++round) {
            s.click(kPlay);
            for (const QImage& frame : s.x.captureBurst(3700)) {
                const int from = shownFromRow(readSign(frame, s.sign), full);
                if (from < 0) {
                    frame.save(QCoreApplication::applicationDirPath() + "/e2e_porfila_bad.png");
                }
                QVERIFY2(from >= 0, "a frame showed rows that were not the text's bottom rows");
                sawPartial = sawPartial || (from >= 2 && from <= 5);
            }
        }
        QVERIFY2(sawPartial, "never caught the text partly shown from the bottom");
        // The effect ends with every LED unlit.
        const QImage end = s.x.stableScreenshot();
        QVERIFY(differences(end, s.sign, LedGrid{}).isEmpty());
    }

    void drawnPictureSurvivesSaveReopenAndRecall() {
        QTemporaryDir dir;
        const QString path = dir.filePath("dibujo.men");
        Started s;
        QVERIFY2(s.start(), "the program did not start with its sign");
        s.click(kDrawingMode);
        LedGrid drawn{};
        for (const auto& [c, r] : {std::pair{0, 0}, {10, 3}, {63, 7}, {31, 4}}) {
            s.x.click(s.sign + QPoint(6 + 12 * c, 6 + 12 * r));
            drawn[c][r] = true;
        }
        // A drag with the pencil lights every LED it passes.
        s.x.xdotool({"mousemove", "--sync", QString::number(s.sign.x() + 6 + 12 * 20),
                     QString::number(s.sign.y() + 6 + 12 * 6)});
        s.x.xdotool({"mousedown", "1"});
        for (int c = 21; c <= 24; ++c) {
            s.x.xdotool({"mousemove", "--sync", QString::number(s.sign.x() + 6 + 12 * c),
                         QString::number(s.sign.y() + 6 + 12 * 6)});
            drawn[c][6] = true;
        }
        drawn[20][6] = true;
        s.x.xdotool({"mouseup", "1"});
        QImage shot = s.x.stableScreenshot();
        QString diff = differences(shot, s.sign, drawn);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));

        s.click(kAdicionar);
        s.click(kGuardar);
        s.x.stableScreenshot(); // the file dialog is up, its name field focused
        s.x.type(path);
        s.x.key("Return");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(path).size() == 137, 10000);

        lumivel::MessageFile file;
        QVERIFY(file.open(path.toStdString()).ok());
        lumivel::tipomensaje stored;
        QVERIFY(file.read(1, stored).ok());
        QVERIFY(stored.esImagen());
        const auto columns = lumivel::decodificarImagen(stored.texto);
        for (int c = 0; c < 64; ++c) {
            for (int r = 0; r < 8; ++r) {
                QCOMPARE(bool(columns[c] & (1 << r)), drawn[c][r]);
            }
        }

        s.click(kNuevo);
        s.click(kTextMode);
        shot = s.x.stableScreenshot();
        QVERIFY(differences(shot, s.sign, LedGrid{}).isEmpty());
        s.click(kAbrir);
        s.x.stableScreenshot();
        s.x.type(path);
        s.x.key("Return");
        s.x.stableScreenshot();
        s.click(kLstcodigo);
        shot = s.x.stableScreenshot();
        s.x.keepScreenshot("e2e_recalled_picture");
        diff = differences(shot, s.sign, drawn);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        QCOMPARE(QFileInfo(path).size(), 137);
    }

    void skinAndLedColour() {
        Started s;
        QVERIFY2(s.start(), "the program did not start with its sign");
        const QColor frameBefore = s.shot.pixelColor(s.client + QPoint(3, 100));

        // "Cambiar Skin" is the menu after "&Ejecucion": open that one, step right, take the
        // second entry ("Galaxy").
        // Without a window manager a click gives the window the keyboard; in the text mode a
        // click on the sign changes nothing.
        s.x.click(s.sign + QPoint(100, 50));
        s.x.key("alt+e");
        s.x.key("Right");
        s.x.key("Down");
        s.x.key("Down");
        s.x.key("Return");
        QImage shot = s.x.stableScreenshot();
        s.x.keepScreenshot("e2e_skin_galaxy");
        const QPoint sign = s.x.signOrigin(shot);
        QCOMPARE(sign, s.sign);
        QVERIFY(shot.pixelColor(s.client + QPoint(3, 100)) != frameBefore);
        QString diff = differences(shot, sign, composed(0, " LED LUMIVEL"));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));

        s.click(kConfigurar);
        QVERIFY(s.x.waitForWindow("Configuracion de Colores"));
        const QRect colours = s.x.windowGeometry("Configuracion de Colores");
        QVERIFY(colours.isValid());
        s.x.stableScreenshot();
        s.x.keepScreenshot("e2e_colour_window");
        s.x.click(colours.topLeft() + QPoint(16 + 100 + 8, 16 + 56 + 16)); // red preset
        s.x.click(colours.topLeft() + QPoint(328 + 40, 24 + 12));          // "Aceptar"
        QTRY_VERIFY_WITH_TIMEOUT(!s.x.windowGeometry("Configuracion de Colores").isValid(), 5000);
        shot = s.x.stableScreenshot();
        s.x.keepScreenshot("e2e_red_leds");
        diff = differences(shot, sign, composed(0, " LED LUMIVEL"), QColor(225, 0, 0));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        QCOMPARE(shot.pixelColor(sign + QPoint(6 + 12 * 4 + 4, 6 + 12 * 1)), QColor(161, 0, 0));
    }
};

QTEST_GUILESS_MAIN(EndToEndSessionTest)
#include "test_e2e_session.moc"
