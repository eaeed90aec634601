#include "appearance/skin_table.hpp"
#include "appearance/web_page.hpp"
#include "display/scripted_dialogs.hpp"
#include "session/lumivel.hpp"
#include "ui/sample_picture.hpp"
#include "ui/sign_widget.hpp"
#include "ui/skin.hpp"
#include "windows/form2.hpp"
#include "windows/form5.hpp"

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

    std::unique_ptr<Lumivel> estado;
    std::unique_ptr<SignWidget> signo;
    ScriptedDialogs dialogs;
    Skin skin;
    int redraws = 0;

    Form5* abrirForm5() {
        auto* ventana = new Form5(*estado, dialogs, skin, [this] {
            ++redraws;
            estado->sign.refrescar();
        });
        ventana->show();
        return ventana;
    }

    Rgb colour() const { return {estado->sign.rojo, estado->sign.verde, estado->sign.azul}; }

  private slots:
    void init() {
        estado = std::make_unique<Lumivel>();
        signo = std::make_unique<SignWidget>();
        estado->sign.setSurface(signo.get());
        estado->sign.rojo = 10;
        estado->sign.verde = 20;
        estado->sign.azul = 30;
        estado->sign.escala = 3;
        estado->sign.grosor = 2;
        estado->sign.lumivel(63, 7, 3, 2);
        estado->sign.columnas = 63;
        estado->sign.filas = 7;
        estado->archivoskin = (shippedFolder() + "/green.skn").toStdString();
        dialogs = ScriptedDialogs{};
        skin = Skin{};
        QVERIFY(skin.cargar(QString::fromStdString(estado->archivoskin)).ok());
        redraws = 0;
    }

    void samplesShowOnTheSkinColourAndLeaveTheLedColour() {
        QPointer<Form5> ventana = abrirForm5();
        QCOMPARE(ventana->Pic()->fondo(), skin.color());
        QCOMPARE(pixel(ventana->Pic()->image(), 30, 5), skin.color());
        QCOMPARE(colour(), (Rgb{10, 20, 30}));
        ventana->close();
    }

    void acceptWaitsThenRedrawsTheSignInTheChosenColour() {
        estado->sign.matriz[4][2] = 1;
        QPointer<Form5> ventana = abrirForm5();
        ventana->Option1(2)->click();
        QCOMPARE(colour(), (Rgb{225, 0, 0}));
        QCOMPARE(redraws, 0);
        QElapsedTimer reloj;
        reloj.start();
        ventana->Command1()->click();
        QVERIFY(reloj.elapsed() >= Form5::kAcceptWaitMs - 20);
        QCOMPARE(redraws, 1);
        QTRY_VERIFY(ventana.isNull());
        QCOMPARE(pixel(signo->image(), 54, 30), qc(225, 0, 0)); // LED (4, 2)
    }

    // How the window ends decides which colour stays; only "Aceptar" waits.
    void endingKeepsOrRestoresTheColour_data() {
        QTest::addColumn<int>("opcion");
        QTest::addColumn<int>("fin");
        QTest::addColumn<Rgb>("queda");
        QTest::addColumn<int>("redibujos");
        QTest::newRow("accept, nothing chosen") << -1 << 1 << Rgb{10, 20, 30} << 1;
        QTest::newRow("cancel") << 4 << 2 << Rgb{10, 20, 30} << 1;
        QTest::newRow("close box") << 3 << 0 << Rgb{0, 225, 0} << 1;
    }
    void endingKeepsOrRestoresTheColour() {
        QFETCH(int, opcion);
        QFETCH(int, fin);
        QFETCH(Rgb, queda);
        QFETCH(int, redibujos);
        QPointer<Form5> ventana = abrirForm5();
        if (opcion >= 0) {
            ventana->Option1(opcion)->click();
        }
        ventana->resize(ventana->size()); // a redraw of the samples
        QElapsedTimer reloj;
        reloj.start();
        if (fin == 0) {
            ventana->close();
            QVERIFY(reloj.elapsed() < Form5::kAcceptWaitMs);
        } else {
            (fin == 1 ? ventana->Command1() : ventana->Command2())->click();
        }
        QTRY_VERIFY(ventana.isNull());
        QCOMPARE(colour(), queda);
        QCOMPARE(redraws, redibujos);
    }

    void customColourAndCancelledDialog() {
        QPointer<Form5> ventana = abrirForm5();
        dialogs.colores.push_back(Rgb{176, 160, 0});
        ventana->Option1(6)->click();
        QCOMPARE(colour(), (Rgb{176, 160, 0}));
        QCOMPARE(pixel(ventana->Pic()->image(), 250, 30), qc(176, 160, 0));
        ventana->Option1(6)->click(); // cancelled this time
        QCOMPARE(colour(), (Rgb{176, 160, 0}));
        ventana->close();
    }

    void missingOrCorruptSkinKeepsTheLook() {
        QWidget ventana;
        skin.aplicar(&ventana);
        const QString hoja = ventana.styleSheet();
        const QColor color = skin.color();

        QTemporaryDir dir;
        QFile corrupto(dir.filePath("roto.skn"));
        QVERIFY(corrupto.open(QIODevice::WriteOnly));
        corrupto.write("[skin]\ncolor = verde\n");
        corrupto.close();
        // A FIFO would block start-up waiting for a writer; a url() would load any image.
        const QString fifo = dir.filePath("winaqua.skn");
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        QFile imagen(dir.filePath("imagen.skn"));
        QVERIFY(imagen.open(QIODevice::WriteOnly));
        imagen.write("[skin]\ncolor = #102030\n[estilo]\nQWidget { background: URL (/x.png); }\n");
        imagen.close();
        CapturedStderr reported;
        for (const QString& ruta : {dir.filePath("no-existe.skn"), corrupto.fileName(), dir.path(),
                                    fifo, imagen.fileName()}) {
            QVERIFY(!skin.cargar(ruta).ok());
            QCOMPARE(skin.color(), color);
            aplicarskin(skin, &ventana, ruta.toStdString());
            QCOMPARE(ventana.styleSheet(), hoja);
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
        QVERIFY2(lines.find("roto.skn: linea 2: color no valido\n") != std::string::npos,
                 lines.c_str());

        Skin nuevo;
        QVERIFY(!nuevo.cargar(dir.filePath("no-existe.skn")).ok());
        QCOMPARE(nuevo.color(), Skin::defaultColor());
        QWidget intacta;
        nuevo.aplicar(&intacta);
        QVERIFY(intacta.styleSheet().isEmpty());
    }

    void aboutWindow() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        QPointer<Form2> ventana =
            new Form2(skin, dialogs, estado->archivoskin, [this] { ++redraws; });
        ventana->show();
        const QLabel* title = ventana->SkinLabel(1); // whole inside the window
        QVERIFY(title->x() + title->fontMetrics().horizontalAdvance(title->text()) <=
                ventana->width());

        ventana->Command2()->click();
        QCOMPARE(catcher.opened.size(), 1);
        const QString pagina = QString::fromStdString(webPagePath(executableFolder()));
        QCOMPARE(catcher.opened.first(), QUrl::fromLocalFile(pagina));
        QCOMPARE(redraws, 0);

        ventana->Command1()->click();
        QCOMPARE(redraws, 1);
        QTRY_VERIFY(ventana.isNull());

        // Without a browser the button says where the page is.
        QDesktopServices::unsetUrlHandler("file");
        ventana = new Form2(skin, dialogs, estado->archivoskin, [this] { ++redraws; });
        ventana->Command2()->click();
        QCOMPARE(dialogs.mostradas.size(), std::size_t{1});
        QVERIFY(dialogs.mostradas[0].texto.ends_with(pagina.toStdString()));
        ventana->close();
    }

    void cleanup() { estado->sign.setSurface(nullptr); }
};

QTEST_MAIN(TestAppearanceWindows)
#include "test_appearance_windows.moc"
