#include "display/scripted_dialogs.hpp"
#include "session/lumivel.hpp"
#include "support/message_fixture.hpp"
#include "transmission/fake_port.hpp"
#include "transmission/sign_decoder.hpp"
#include "transmission/virtual_sign.hpp"
#include "windows/form1.hpp"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>
#include <mutex>
#include <thread>

using namespace lumivel;
using namespace lumivel::test;

namespace {

PortFactory fabricaFalsa(SignFault fallo = {}) {
    return [fallo](const QString& dispositivo) {
        auto puerto = std::make_unique<FakePort>();
        puerto->deviceName = dispositivo.toStdString();
        auto signo = std::make_shared<SignResponder>(fallo);
        puerto->responder = [signo](std::uint8_t b) { return signo->responder(b).bytes; };
        return puerto;
    };
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    Lumivel lumivel_;
    ScriptedDialogs dialogs_;
    int redibujados_ = 0;

    QPointer<Form1> abrir() {
        auto* ventana = new Form1(lumivel_, dialogs_, [this] { ++redibujados_; });
        ventana->mostrar();
        return ventana;
    }

  private slots:
    void init() {
        lumivel_.archivo.close();
        lumivel_.totalmensajes = 0;
        lumivel_.mensaje = tipomensaje{};
        dialogs_ = ScriptedDialogs{};
        redibujados_ = 0;
    }

    void labelsShowMessagesAndBytes() {
        abrirConMensajes(lumivel_, dir_.filePath("ab.men"), {texto(1, 2, "AB")});
        QPointer<Form1> f = abrir();
        QCOMPARE(f->windowTitle(),
                 QString("Comunicacion Serial   Transmision de informacion  al Lumivel"));
        QCOMPARE(f->SkinLabel1()->text(), QString("MENSAJES EN TOTAL      1"));
        QCOMPARE(f->SkinLabel2()->text(), QString("6 Utilizados / 8191 Disponibles"));
        QCOMPARE(f->panel(0)->text(), QString("Programando el lumivel"));
        QCOMPARE(f->panel(1)->toolTip(), QString("indica la fecha"));
        delete f;

        abrirConMensajes(lumivel_, dir_.filePath("three.men"),
                         {texto(1, 1, "a"), texto(1, 1, "x", '0'), texto(2, 2, "b"), imagen({})});
        f = abrir();
        QCOMPARE(f->SkinLabel1()->text(), QString("MENSAJES EN TOTAL      3"));
        delete f;
    }

    // An open window sends what the file holds at the press of "Enviar", and its labels
    // follow changes made meanwhile.
    void sendRebuildsFromTheFileAsItIsNow() {
        abrirConMensajes(lumivel_, dir_.filePath("live.men"), {texto(1, 2, "AB")});
        QPointer<Form1> f = abrir();
        f->setPortFactory(fabricaFalsa());
        f->setReplyTimeout(20);
        QCOMPARE(f->SkinLabel1()->text(), QString("MENSAJES EN TOTAL      1"));
        QVERIFY(lumivel_.archivo.write(2, texto(2, 1, "C", '1', 2)).ok());
        QTRY_COMPARE(f->SkinLabel1()->text(), QString("MENSAJES EN TOTAL      2"));

        // A delete of the last record leaves presentation 0 in the buffer: still sendable.
        QVERIFY(lumivel_.archivo.write(3, texto(0, 1, "Z", '0', 3)).ok());
        QVERIFY(lumivel_.archivo.read(3, lumivel_.mensaje).ok());
        lumivel_.totalmensajes = 0;
        f->Command1()->click();
        QCOMPARE(f->carga().estado, ImageState::Ready);
        QCOMPARE(f->imagen().ndatos, 10);
        QCOMPARE(f->SkinLabel1()->text(), QString("MENSAJES EN TOTAL      2"));
        QTRY_VERIFY(!f->transfiriendo());
        delete f;
    }

    void nothingToSendSaysSoAndOpensNoPort() {
        bool puertoCreado = false;
        QPointer<Form1> f = abrir();
        f->setPortFactory([&](const QString&) {
            puertoCreado = true;
            return std::make_unique<FakePort>();
        });
        QCOMPARE(f->SkinLabel1()->text(), QString("MENSAJES EN TOTAL      0"));
        QCOMPARE(f->SkinLabel2()->text(), QString("0 Utilizados / 8191 Disponibles"));
        f->Command1()->click();
        QCOMPARE(dialogs_.mostradas.size(), std::size_t{1});
        QVERIFY(dialogs_.mostradas[0].texto.find("No hay mensajes") != std::string::npos);
        QVERIFY(!puertoCreado);
        QVERIFY(!f->transfiriendo());
        delete f;
    }

    void imageTooLargeIsShownAndRefused() {
        abrirConMensajes(lumivel_, dir_.filePath("big.men"),
                         std::vector<tipomensaje>(62, texto(1, 1, std::string(130, 'm'))));
        QPointer<Form1> f = abrir();
        QVERIFY(f->SkinLabel2()->text().startsWith("8247 Utilizados / 8191 Disponibles"));
        QVERIFY(f->SkinLabel2()->text().contains("NO CABE"));
        f->Command1()->click();
        QCOMPARE(dialogs_.mostradas.size(), std::size_t{1});
        QVERIFY(dialogs_.mostradas[0].texto.find("8248 bytes") != std::string::npos);
        delete f;
    }

    void portChoice() {
        QPointer<Form1> f = abrir();
        // No choice made: the first serial port.
        QCOMPARE(f->puerto(), QString("/dev/ttyS0"));
        f->Option1(2)->click();
        QCOMPARE(f->puerto(), QString("/dev/ttyS2"));
        f->otherPort()->setEditText("/dev/pts/7");
        QCOMPARE(f->puerto(), QString("/dev/pts/7"));
        QVERIFY(!f->Option1(2)->isChecked());
        f->Option1(3)->click();
        QCOMPARE(f->puerto(), QString("/dev/ttyS3"));
        delete f;
    }

    void closingRedrawsTheMainSign() {
        QPointer<Form1> f = abrir();
        f->close();
        QCOMPARE(redibujados_, 1);
        QTRY_VERIFY(f.isNull());

        redibujados_ = 0;
        f = abrir();
        f->Command2()->click();
        QCOMPARE(redibujados_, 2);
        QTRY_VERIFY(f.isNull());
    }

    void imageIsBuiltOnlyWhenTheWindowLoads() {
        abrirConMensajes(lumivel_, dir_.filePath("load.men"), {texto(1, 2, "AB")});
        QPointer<Form1> f = abrir();
        abrirConMensajes(lumivel_, dir_.filePath("load2.men"),
                         {texto(1, 2, "ABCD"), texto(1, 1, "")});
        f->mostrar();
        QCOMPARE(f->SkinLabel1()->text(), QString("MENSAJES EN TOTAL      1"));
        QCOMPARE(f->imagen().ndatos, 6);
        delete f;
        // Loaded anew: the image comes from the file open now.
        f = abrir();
        QCOMPARE(f->SkinLabel1()->text(), QString("MENSAJES EN TOTAL      2"));
        QCOMPARE(f->SkinLabel2()->text(), QString("11 Utilizados / 8191 Disponibles"));
        delete f;
    }

    void transferRunsOffTheWindowThread() {
        abrirConMensajes(lumivel_, dir_.filePath("send.men"),
                         std::vector<tipomensaje>(20, texto(2, 2, std::string(60, 'r'))));
        QPointer<Form1> f = abrir();
        f->setPortFactory(fabricaFalsa());
        QSignalSpy terminada(f.data(), &Form1::transferFinished);
        f->Command1()->click();
        QVERIFY(f->transfiriendo());
        QVERIFY(!f->Command1()->isEnabled());
        QVERIFY(!f->Command2()->isEnabled());
        // Closing is refused while the line is in use, and other windows take no input.
        f->close();
        QVERIFY(f->isVisible());
        QPushButton otraVentana("editar");
        otraVentana.show();
        QSignalSpy clics(&otraVentana, &QPushButton::clicked);
        QTest::mouseClick(&otraVentana, Qt::LeftButton);
        QCOMPARE(clics.size(), 0);
        QVERIFY(terminada.wait(20000));
        QTest::mouseClick(&otraVentana, Qt::LeftButton);
        QCOMPARE(clics.size(), 1);
        QCOMPARE(f->lastSend().outcome, Outcome::Verified);
        QCOMPARE(f->windowTitle(), QString("CONECCION EXITOSA !!!"));
        QCOMPARE(f->ProgressBar1()->maximum(), lumivel_.totaldatos);
        QCOMPARE(f->ProgressBar1()->value(), lumivel_.totaldatos);
        QVERIFY(f->Command1()->isEnabled());
        QVERIFY(dialogs_.mostradas.empty());

        // "Enviar" again sends the same image again.
        f->Command1()->click();
        QVERIFY(terminada.wait(20000));
        QCOMPARE(f->lastSend().transfer.imageBytes, 20 * 63 + 2);
        delete f;
    }

    void closingTheProgramMidTransferEndsIt() {
        abrirConMensajes(lumivel_, dir_.filePath("quit.men"),
                         std::vector<tipomensaje>(60, texto(2, 2, std::string(130, 'q'))));
        QPointer<Form1> f = abrir();
        // A slow line: the whole image would take about 40 s.
        f->setPortFactory([](const QString&) {
            auto puerto = std::make_unique<FakePort>();
            puerto->responder = [](std::uint8_t b) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                return std::string(1, static_cast<char>(b));
            };
            return puerto;
        });
        f->Command1()->click();
        QVERIFY(f->transfiriendo());
        QElapsedTimer reloj;
        reloj.start();
        delete f;
        QVERIFY(reloj.elapsed() < 5000);
    }

    void mismatchAndSilenceAreReported() {
        abrirConMensajes(lumivel_, dir_.filePath("bad.men"), {texto(1, 1, std::string(40, 'e'))});
        QPointer<Form1> f = abrir();
        QSignalSpy terminada(f.data(), &Form1::transferFinished);
        f->setPortFactory(fabricaFalsa({SignFault::Kind::Corrupt, 5}));
        f->Command1()->click();
        QVERIFY(terminada.wait(20000));
        QCOMPARE(f->lastSend().outcome, Outcome::WithErrors);
        QTRY_COMPARE(dialogs_.mostradas.size(), std::size_t{1});
        QCOMPARE(dialogs_.mostradas[0].title, std::string("Error en la TX y RX de datos"));

        dialogs_.mostradas.clear();
        f->setPortFactory(fabricaFalsa({SignFault::Kind::Stop, 20}));
        f->Command1()->click();
        QVERIFY(terminada.wait(20000));
        QCOMPARE(f->lastSend().outcome, Outcome::SignSilent);
        QTRY_COMPARE(dialogs_.mostradas.size(), std::size_t{2});
        QVERIFY(dialogs_.mostradas[1].texto.find("14 de 45 bytes") != std::string::npos);
        delete f;
    }

    void missingPortIsNamed() {
        abrirConMensajes(lumivel_, dir_.filePath("missing.men"), {texto(1, 1, "a")});
        QPointer<Form1> f = abrir();
        QSignalSpy terminada(f.data(), &Form1::transferFinished);
        f->otherPort()->setEditText(dir_.filePath("no-such-device"));
        f->Command1()->click();
        QVERIFY(terminada.wait(20000));
        QCOMPARE(f->lastSend().outcome, Outcome::PortNotOpened);
        QCOMPARE(dialogs_.mostradas.size(), std::size_t{1});
        QVERIFY(dialogs_.mostradas[0].texto.find("no-such-device") != std::string::npos);
        delete f;
    }

    void sendsToTheVirtualSignOverAPseudoTerminal() {
        const std::vector<tipomensaje> registros = {
            texto(1, 2, "AB"), texto(3, 4, " hola \xF1"), texto(2, 1, "x", '0'),
            imagen({0x81, 0x42, 0x24, 0x18}), texto(2, 3, std::string(130, 'Z'))};
        abrirConMensajes(lumivel_, dir_.filePath("pty.men"), registros);

        VirtualSign signo(VirtualSign::Opciones{});
        QVERIFY(signo.abrir().ok());
        std::mutex m;
        std::vector<std::vector<DecodedMessage>> recibidas;
        std::vector<std::string> errores;
        std::thread hilo([&] {
            (void)signo.serve(
                [&](const std::vector<DecodedMessage>& mensajes) {
                    std::lock_guard lock(m);
                    recibidas.push_back(mensajes);
                },
                [&](const std::string& e) {
                    std::lock_guard lock(m);
                    errores.push_back(e);
                });
        });

        QPointer<Form1> f = abrir();
        QSignalSpy terminada(f.data(), &Form1::transferFinished);
        f->otherPort()->setEditText(QString::fromStdString(signo.ruta()));
        // A busy test machine can stall a process for 100 ms; the sign itself is prompt.
        f->setReplyTimeout(2000);
        f->Command1()->click();
        QVERIFY(terminada.wait(60000));
        signo.stop();
        hilo.join();

        QCOMPARE(f->lastSend().outcome, Outcome::Verified);
        QVERIFY(dialogs_.mostradas.empty());
        QCOMPARE(errores, std::vector<std::string>{});
        QCOMPARE(recibidas.size(), std::size_t{1});
        const auto& mensajes = recibidas[0];
        QCOMPARE(mensajes.size(), std::size_t{4});
        QCOMPARE(mensajes[0].texto, std::string("AB"));
        QCOMPARE(mensajes[0].letra, 2);
        QCOMPARE(mensajes[1].texto, std::string(" hola \xF1"));
        QCOMPARE(mensajes[1].presentacion, 3);
        QVERIFY(mensajes[2].imagen);
        QCOMPARE(mensajes[2].columnas[0], std::uint8_t{0x81});
        QCOMPARE(mensajes[2].columnas[3], std::uint8_t{0x18});
        QCOMPARE(mensajes[3].texto, std::string(130, 'Z'));
        delete f;
    }
};

QTEST_MAIN(Form1Test)
#include "test_form1.moc"
