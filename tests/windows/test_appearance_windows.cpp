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
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

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

    void aceptarIsTheFirstControlReachedWithTab() {
        QPointer<Form5> ventana = abrirForm5();
        QWidget* primero = ventana->nextInFocusChain();
        while (primero != ventana && !(primero->focusPolicy() & Qt::TabFocus)) {
            primero = primero->nextInFocusChain();
        }
        QCOMPARE(primero, ventana->Command1());
        ventana->close();
    }

    void samplesShowOnTheSkinColour() {
        QPointer<Form5> ventana = abrirForm5();
        const QImage& image = ventana->Pic()->image();
        QCOMPARE(ventana->Pic()->fondo(), skin.color());
        QCOMPARE(pixel(image, 30, 5), skin.color());
        QCOMPARE(pixel(image, 10, 30), qc(220, 220, 220));
        QCOMPARE(pixel(image, 18, 30), qc(157, 157, 157)); // ring around the 12-pixel dot
        QCOMPARE(pixel(image, 90, 30), qc(225, 0, 0));
        QCOMPARE(pixel(image, 98, 30), qc(161, 0, 0));
        QCOMPARE(pixel(image, 250, 30), qc(100, 100, 100));
        // Drawing the samples leaves the LED colour as it was.
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
        QCOMPARE(colour(), (Rgb{225, 0, 0}));
        // LED (4, 2) of the main sign: (225, 0, 0) centre, (161, 0, 0) ring.
        QCOMPARE(pixel(signo->image(), 54, 30), qc(225, 0, 0));
        QCOMPARE(pixel(signo->image(), 58, 30), qc(161, 0, 0));
        QCOMPARE(pixel(signo->image(), 66, 30), qc(80, 80, 80)); // (5, 2) unlit
    }

    void acceptWithoutChoosingKeepsTheColour() {
        QPointer<Form5> ventana = abrirForm5();
        ventana->resize(ventana->size()); // a redraw of the samples
        ventana->Command1()->click();
        QTRY_VERIFY(ventana.isNull());
        QCOMPARE(colour(), (Rgb{10, 20, 30}));
    }

    void cancelRestoresAndRedraws() {
        QPointer<Form5> ventana = abrirForm5();
        ventana->Option1(4)->click();
        QCOMPARE(colour(), (Rgb{255, 128, 64}));
        ventana->Command2()->click();
        QCOMPARE(colour(), (Rgb{10, 20, 30}));
        QCOMPARE(redraws, 1);
        QTRY_VERIFY(ventana.isNull());
    }

    void closeBoxKeepsTheColourWithoutWaiting() {
        QPointer<Form5> ventana = abrirForm5();
        ventana->Option1(3)->click();
        QElapsedTimer reloj;
        reloj.start();
        ventana->close();
        QVERIFY(reloj.elapsed() < Form5::kAcceptWaitMs);
        QCOMPARE(redraws, 1);
        QCOMPARE(colour(), (Rgb{0, 225, 0}));
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

    void skinLoadsEveryShippedFile() {
        const std::string carpeta = shippedFolder().toStdString();
        QSet<QRgb> colores;
        Skin prueba;
        QVERIFY(prueba.cargar(QString::fromStdString(defaultSkinPath(carpeta))).ok());
        colores.insert(prueba.color().rgb());
        for (int i = 0; i < 10; ++i) {
            const QString ruta = QString::fromStdString(skinPath(carpeta, i).value());
            QVERIFY2(prueba.cargar(ruta).ok(), qPrintable(ruta));
            QCOMPARE(prueba.nombre(), QString(kSkins.at(std::size_t(i)).title));
            colores.insert(prueba.color().rgb());
        }
        QCOMPARE(colores.size(), 11);
        QVERIFY(QFile::exists(shippedFolder() + "/Skins/Paper.skn"));
        QVERIFY(!QFile::exists(shippedFolder() + "/Paper.skn"));
    }

    void missingOrCorruptSkinKeepsTheLook() {
        QWidget ventana;
        skin.aplicar(&ventana);
        const QString hoja = ventana.styleSheet();
        const QColor color = skin.color();
        QVERIFY(!hoja.isEmpty());

        QTemporaryDir dir;
        QFile corrupto(dir.filePath("roto.skn"));
        QVERIFY(corrupto.open(QIODevice::WriteOnly));
        corrupto.write("[skin]\ncolor = verde\n");
        corrupto.close();
        CapturedStderr reported;
        for (const QString& ruta :
             {dir.filePath("no-existe.skn"), corrupto.fileName(), dir.path()}) {
            QVERIFY(!skin.cargar(ruta).ok());
            QCOMPARE(skin.color(), color);
            aplicarskin(skin, &ventana, ruta.toStdString());
            QCOMPARE(ventana.styleSheet(), hoja);
            QCOMPARE(skin.color(), color);
        }
        // Applying reports each refusal once, naming the file, and the line and why when
        // the file could be read.
        const std::string lines = reported.text.str();
        QCOMPARE(std::count(lines.begin(), lines.end(), '\n'), 3);
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

    void skinMenuSwitchesOnlyTheMainWindow() {
        QWidget principal;
        QWidget abierta;
        skin.aplicar(&principal);
        skin.aplicar(&abierta);
        const QString antes = abierta.styleSheet();
        const std::string carpeta = shippedFolder().toStdString();

        MNUCamb_Click(*estado, skin, &principal, 6, carpeta);
        QCOMPARE(QString::fromStdString(estado->archivoskin), shippedFolder() + "/Skins/Paper.skn");
        QCOMPARE(skin.nombre(), QString("Paper"));
        QVERIFY(principal.styleSheet() != antes);
        QCOMPARE(principal.palette().color(QPalette::Window), QColor("#F7F1E3"));
        QCOMPARE(abierta.styleSheet(), antes); // keeps its skin until it loads again

        // A window opened afterwards wears the new skin, and its sample takes its colour.
        QPointer<Form5> ventana = abrirForm5();
        QCOMPARE(ventana->styleSheet(), principal.styleSheet());
        QCOMPARE(ventana->Pic()->fondo(), QColor("#EFE6D0"));
        ventana->close();

        MNUCamb_Click(*estado, skin, &principal, 10, carpeta); // no such entry: reapplies
        QCOMPARE(skin.nombre(), QString("Paper"));
    }

    void aboutWindow() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        QPointer<Form2> ventana = new Form2(skin, estado->archivoskin, [this] { ++redraws; });
        ventana->show();
        QCOMPARE(ventana->styleSheet(), [this] {
            QWidget w;
            skin.aplicar(&w);
            return w.styleSheet();
        }());

        ventana->Command2()->click();
        QCOMPARE(catcher.opened.size(), 1);
        const QString pagina = QString::fromStdString(webPagePath(executableFolder()));
        QCOMPARE(catcher.opened.first(), QUrl::fromLocalFile(pagina));
        QCOMPARE(redraws, 0);

        ventana->Command1()->click();
        QCOMPARE(redraws, 1);
        QTRY_VERIFY(ventana.isNull());

        // The close box does not redraw the sign.
        ventana = new Form2(skin, estado->archivoskin, [this] { ++redraws; });
        ventana->show();
        ventana->close();
        QCOMPARE(redraws, 1);
        QDesktopServices::unsetUrlHandler("file");
    }

    void webPageIsShipped() {
        const QString pagina = QString::fromStdString(webPagePath(shippedFolder().toStdString()));
        QFile file(pagina);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(pagina));
        const QByteArray html = file.readAll();
        QVERIFY(html.contains("<html"));
        // Every image the page shows is shipped with it.
        static const QRegularExpression imagen("<img[^>]*src=\"([^\"]+)\"");
        auto it = imagen.globalMatch(QString::fromUtf8(html));
        while (it.hasNext()) {
            const QString src = it.next().captured(1);
            QVERIFY2(QFile::exists(QFileInfo(pagina).dir().filePath(src)), qPrintable(src));
        }
    }

    void cleanup() { estado->sign.setSurface(nullptr); }
};

QTEST_MAIN(TestAppearanceWindows)
#include "test_appearance_windows.moc"
