// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/skin_table.hpp"
#include "appearance/web_page.hpp"
#include "display/scripted_dialogs.hpp"
#include "session/lumivel.hpp"
#include "ui/data_folder.hpp"
#include "ui/sample_picture.hpp"
#include "ui/sign_widget.hpp"
#include "ui/skin.hpp"
#include "windows/form2.hpp"
#include "windows/form5.hpp"
#include "windows/state_changes.hpp"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <sys/stat.h>

#include <iostream>
#include <sstream>

using namespace lumivel;

namespace {

// The folder the executable lives in: the skins and the web page are shipped there.
QString shippedFolder() {
    return QFileInfo(qEnvironmentVariable("SIMLUMIVEL")).absolutePath();
}

QColor pixel(const QImage& image, int x, int y) {
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(qRound(x * ratio), qRound(y * ratio));
}

QColor qc(int r, int g, int b) {
    return QColor(r, g, b);
}

// What is written on stderr while it lives.
struct CapturedStderr {
    std::ostringstream text;
    std::streambuf* previous = std::cerr.rdbuf(text.rdbuf());
    ~CapturedStderr() { std::cerr.rdbuf(previous); }
};

} // namespace

Q_DECLARE_METATYPE(lumivel::Rgb)

// Receives what the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class TestAppearanceWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<Lumivel> state;
    std::unique_ptr<SignWidget> sign;
    ScriptedDialogs dialogs;
    Skin skin;
    StateChanges changes;
    int redraws = 0;

    Form5* openForm5() {
        auto* window = new Form5(*state, dialogs, skin, changes);
        window->show();
        return window;
    }

    Rgb colour() const { return {state->sign.rojo, state->sign.verde, state->sign.azul}; }

  private slots:
    void initTestCase() {
        connect(&changes, &StateChanges::signChanged, this, [this] {
            ++redraws;
            state->sign.refrescar();
        });
    }

    void init() {
        state = std::make_unique<Lumivel>();
        sign = std::make_unique<SignWidget>();
        state->sign.setSurface(sign.get());
        state->sign.rojo = 10;
        state->sign.verde = 20;
        state->sign.azul = 30;
        state->sign.escala = 3;
        state->sign.grosor = 2;
        state->sign.lumivel(63, 7, 3, 2);
        state->sign.columnas = 63;
        state->sign.filas = 7;
        state->archivoskin = (shippedFolder() + "/green.skn").toStdString();
        dialogs = ScriptedDialogs{};
        skin = Skin{};
        QVERIFY(skin.cargar(QString::fromStdString(state->archivoskin)).ok());
        redraws = 0;
    }

    void samplesShowOnTheSkinColourAndLeaveTheLedColour() {
        QPointer<Form5> window = openForm5();
        QCOMPARE(window->Pic()->background(), skin.color());
        QCOMPARE(pixel(window->Pic()->image(), 30, 5), skin.color());
        QCOMPARE(colour(), (Rgb{10, 20, 30}));
        window->close();
    }

    void acceptWaitsThenRedrawsTheSignInTheChosenColour() {
        state->sign.matriz[4][2] = 1;
        QPointer<Form5> window = openForm5();
        window->Option1(2)->click();
        QCOMPARE(colour(), (Rgb{225, 0, 0}));
        QCOMPARE(redraws, 0);
        QElapsedTimer stopwatch;
        stopwatch.start();
        window->Command1()->click();
        QVERIFY(stopwatch.elapsed() >= Form5::kAcceptWaitMs - 20);
        QCOMPARE(redraws, 1);
        QTRY_VERIFY(window.isNull());
        QCOMPARE(pixel(sign->image(), 54, 30), qc(225, 0, 0)); // LED (4, 2)
    }

    // How the window ends decides which colour stays; only "Aceptar" waits.
    void endingKeepsOrRestoresTheColour_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("end");
        QTest::addColumn<Rgb>("left");
        QTest::addColumn<int>("expectedRedraws");
        QTest::newRow("accept, nothing chosen") << -1 << 1 << Rgb{10, 20, 30} << 1;
        QTest::newRow("cancel") << 4 << 2 << Rgb{10, 20, 30} << 1;
        QTest::newRow("close box") << 3 << 0 << Rgb{0, 225, 0} << 1;
    }
    void endingKeepsOrRestoresTheColour() {
        QFETCH(int, option);
        QFETCH(int, end);
        QFETCH(Rgb, left);
        QFETCH(int, expectedRedraws);
        QPointer<Form5> window = openForm5();
        if (option >= 0) {
            window->Option1(option)->click();
        }
        window->resize(window->size()); // a redraw of the samples
        QElapsedTimer stopwatch;
        stopwatch.start();
        if (end == 0) {
            window->close();
            QVERIFY(stopwatch.elapsed() < Form5::kAcceptWaitMs);
        } else {
            (end == 1 ? window->Command1() : window->Command2())->click();
        }
        QTRY_VERIFY(window.isNull());
        QCOMPARE(colour(), left);
        QCOMPARE(redraws, expectedRedraws);
    }

    void customColourAndCancelledDialog() {
        QPointer<Form5> window = openForm5();
        dialogs.colours.push_back(Rgb{176, 160, 0});
        window->Option1(6)->click();
        QCOMPARE(colour(), (Rgb{176, 160, 0}));
        QCOMPARE(pixel(window->Pic()->image(), 250, 30), qc(176, 160, 0));
        window->Option1(6)->click(); // cancelled this time
        QCOMPARE(colour(), (Rgb{176, 160, 0}));
        window->close();
    }

    void missingOrCorruptSkinKeepsTheLook() {
        QWidget window;
        skin.aplicar(&window);
        const QString sheet = window.styleSheet();
        const QColor color = skin.color();

        QTemporaryDir dir;
        QFile corrupt(dir.filePath("roto.skn"));
        QVERIFY(corrupt.open(QIODevice::WriteOnly));
        corrupt.write("[skin]\ncolor = verde\n");
        corrupt.close();
        // A FIFO would block start-up waiting for a writer; a url() would load any image.
        const QString fifo = dir.filePath("winaqua.skn");
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        QFile image(dir.filePath("imagen.skn"));
        QVERIFY(image.open(QIODevice::WriteOnly));
        image.write("[skin]\ncolor = #102030\n[estilo]\nQWidget { background: URL (/x.png); }\n");
        image.close();
        CapturedStderr reported;
        for (const QString& path : {dir.filePath("no-existe.skn"), corrupt.fileName(), dir.path(),
                                    fifo, image.fileName()}) {
            QVERIFY(!skin.cargar(path).ok());
            QCOMPARE(skin.color(), color);
            aplicarskin(skin, &window, path.toStdString());
            QCOMPARE(window.styleSheet(), sheet);
            QCOMPARE(skin.color(), color);
        }
        // Applying reports each refusal once, naming the file, and the line and why when
        // the file could be read.
        const std::string lines = reported.text.str();
        QCOMPARE(std::count(lines.begin(), lines.end(), '\n'), 5);
        QVERIFY2(lines.find("winaqua.skn: no es un archivo normal\n") != std::string::npos,
                 lines.c_str());
        QVERIFY2(lines.find("imagen.skn: la hoja de estilo carga imágenes") != std::string::npos,
                 lines.c_str());
        QVERIFY2(lines.find("no-existe.skn: ") != std::string::npos, lines.c_str());
        QVERIFY2(lines.find("roto.skn: línea 2: color no válido\n") != std::string::npos,
                 lines.c_str());

        Skin fresh;
        QVERIFY(!fresh.cargar(dir.filePath("no-existe.skn")).ok());
        QCOMPARE(fresh.color(), Skin::defaultColor());
        QWidget intact;
        fresh.aplicar(&intact);
        QVERIFY(intact.styleSheet().isEmpty());
    }

    void aboutWindow() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        QPointer<Form2> window = new Form2(skin, dialogs, state->archivoskin, changes);
        window->show();
        const QLabel* title = window->SkinLabel(1); // whole inside the window
        QVERIFY(title->x() + title->fontMetrics().horizontalAdvance(title->text()) <=
                window->width());

        window->Command2()->click();
        QCOMPARE(catcher.opened.size(), 1);
        const QString page = QString::fromStdString(webPagePath(programDataFolder()));
        QCOMPARE(catcher.opened.first(), QUrl::fromLocalFile(page));
        QCOMPARE(redraws, 0);

        window->Command1()->click();
        QCOMPARE(redraws, 1);
        QTRY_VERIFY(window.isNull());

        // Without a browser the button says where the page is.
        QDesktopServices::unsetUrlHandler("file");
        window = new Form2(skin, dialogs, state->archivoskin, changes);
        window->Command2()->click();
        QCOMPARE(dialogs.shownBoxes.size(), std::size_t{1});
        QVERIFY(dialogs.shownBoxes[0].texto.ends_with(page.toStdString()));
        window->close();
    }

    void cleanup() { state->sign.setSurface(nullptr); }
};

QTEST_MAIN(TestAppearanceWindows)
#include "test_appearance_windows.moc"
