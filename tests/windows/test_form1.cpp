// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/scripted_dialogs.hpp"
#include "session/lumivel.hpp"
#include "support/message_fixture.hpp"
#include "transmission/fake_port.hpp"
#include "transmission/serial_devices.hpp"
#include "transmission/sign_decoder.hpp"
#include "ui/settings.hpp"
#include "windows/form1.hpp"
#include "windows/state_changes.hpp"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>
#include <thread>

using namespace lumivel;
using namespace lumivel::test;

namespace {

PortFactory fakeFactory(SignFault fault = {}) {
    return [fault](const QString& device) {
        auto port = std::make_unique<FakePort>();
        port->deviceName = device.toStdString();
        auto sign = std::make_shared<SignResponder>(fault);
        port->responder = [sign](std::uint8_t b) { return sign->responder(b).bytes; };
        return port;
    };
}

// A line that echoes every byte after `delayMs`, so a transfer is still running when looked at.
PortFactory slowEchoFactory(int delayMs) {
    return [delayMs](const QString&) {
        auto port = std::make_unique<FakePort>();
        port->responder = [delayMs](std::uint8_t b) {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            return std::string(1, static_cast<char>(b));
        };
        return port;
    };
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    Lumivel lumivel_;
    ScriptedDialogs dialogs_;
    StateChanges changes_;
    int redraws_ = 0;

    QPointer<Form1> openWindow() {
        auto* window = new Form1(lumivel_, dialogs_, changes_);
        window->mostrar();
        return window;
    }

  private slots:
    void initTestCase() {
        connect(&changes_, &StateChanges::signChanged, this, [this] { ++redraws_; });
    }

    void init() {
        lumivel_.archivo.close();
        lumivel_.totalmensajes = 0;
        lumivel_.mensaje = tipomensaje{};
        dialogs_ = ScriptedDialogs{};
        redraws_ = 0;
        Settings().setPort({});
    }

    // An open window sends what the file holds at the press of "Enviar", and its labels
    // follow changes made meanwhile.
    void sendRebuildsFromTheFileAsItIsNow() {
        openWithMessages(lumivel_, dir_.filePath("live.men"), {texto(1, 2, "AB")});
        QPointer<Form1> f = openWindow();
        f->setPortFactory(fakeFactory());
        f->setReplyTimeout(20);
        QCOMPARE(f->SkinLabel1()->text(), QString("MENSAJES EN TOTAL      1"));
        QVERIFY(lumivel_.archivo.write(2, texto(2, 1, "C", '1', 2)).ok());
        QTRY_COMPARE(f->SkinLabel1()->text(), QString("MENSAJES EN TOTAL      2"));

        // A delete of the last record leaves presentation 0 in the buffer: still sendable.
        QVERIFY(lumivel_.archivo.write(3, texto(0, 1, "Z", '0', 3)).ok());
        QVERIFY(lumivel_.archivo.read(3, lumivel_.mensaje).ok());
        lumivel_.totalmensajes = 0;
        f->Command1()->click();
        QCOMPARE(f->load().estado, ImageState::Ready);
        QCOMPARE(f->image().ndatos, 10);
        QCOMPARE(f->SkinLabel1()->text(), QString("MENSAJES EN TOTAL      2"));
        QTRY_VERIFY(!f->transferring());
        // A line that answers at once: the estimate, and nothing to advise.
        QCOMPARE(f->timeLabel()->text(), QString("Tiempo estimado: 1 s"));
        QVERIFY(dialogs_.shownBoxes.empty());
        delete f;
    }

    // The port offered next time is the last one that programmed a sign, not the last one
    // tried; the list offers the system's serial devices besides it.
    void theRememberedPortIsOneThatWorked() {
        openWithMessages(lumivel_, dir_.filePath("puerto.men"), {texto(1, 2, "AB")});
        QPointer<Form1> f = openWindow();
        QSignalSpy finished(f.data(), &Form1::transferFinished);
        f->setPortFactory(fakeFactory());
        f->otherPort()->setEditText("/dev/pts/9");
        f->Command1()->click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(Settings().port(), QString("/dev/pts/9"));
        f->setPortFactory(fakeFactory({SignFault::Kind::Silent, 0}));
        f->otherPort()->setEditText("/dev/pts/8");
        f->Command1()->click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(f->lastSend().outcome, Outcome::NoConnection);
        QCOMPARE(Settings().port(), QString("/dev/pts/9"));
        dialogs_.shownBoxes.clear();
        delete f;

        f = openWindow();
        QCOMPARE(f->otherPort()->currentText(), QString("/dev/pts/9"));
        QStringList listed;
        for (int i = 0; i < f->otherPort()->count(); ++i) {
            listed << f->otherPort()->itemText(i);
        }
        for (const std::string& device : serialDevices()) {
            QVERIFY(listed.contains(QString::fromStdString(device)));
        }
        delete f;
    }

    // Echoes 20 ms late: the window says what the transfer costs and counts down; the advice
    // comes once for the port however often it is used.
    void aSlowLineIsTimedAndExplainedOnce() {
        openWithMessages(lumivel_, dir_.filePath("lento.men"), {texto(1, 1, std::string(90, 'l'))});
        QPointer<Form1> f = openWindow();
        f->setPortFactory(slowEchoFactory(20));
        QSignalSpy finished(f.data(), &Form1::transferFinished);
        QVERIFY(f->timeLabel()->text().isEmpty());
        const QRegularExpression estimate("^Tiempo estimado: \\d+ s$");
        for (int send = 0; send < 2; ++send) {
            f->Command1()->click();
            QTRY_VERIFY(f->timeLabel()->text().startsWith("Quedan "));
            QVERIFY(finished.wait(20000));
            QCOMPARE(f->lastSend().outcome, Outcome::Verified);
            QVERIFY2(estimate.match(f->timeLabel()->text()).hasMatch(),
                     qPrintable(f->timeLabel()->text()));
        }
        QCOMPARE(dialogs_.shownBoxes.size(), std::size_t{1});
        const MessageBoxSpec& advice = dialogs_.shownBoxes.front();
        QCOMPARE(advice.title, std::string("El enlace con el Lumivel es lento"));
        QVERIFY(advice.texto.find("el adaptador USB retenga") != std::string::npos);
        delete f;
    }

    void nothingToSendSaysSoAndOpensNoPort() {
        bool createdPort = false;
        QPointer<Form1> f = openWindow();
        for (const QRadioButton* port : f->findChildren<QRadioButton*>()) { // captions whole
            QVERIFY(port->width() >= port->sizeHint().width());
        }
        f->setPortFactory([&](const QString&) {
            createdPort = true;
            return std::make_unique<FakePort>();
        });
        f->Command1()->click();
        QCOMPARE(dialogs_.shownBoxes.size(), std::size_t{1});
        QVERIFY(dialogs_.shownBoxes[0].texto.find("No hay mensajes") != std::string::npos);
        QVERIFY(!createdPort);
        QVERIFY(!f->transferring());
        delete f;
    }

    void imageTooLargeIsShownAndRefused() {
        openWithMessages(lumivel_, dir_.filePath("big.men"),
                         std::vector<tipomensaje>(62, texto(1, 1, std::string(130, 'm'))));
        QPointer<Form1> f = openWindow();
        QVERIFY(f->SkinLabel2()->text().contains("NO CABE"));
        f->Command1()->click();
        QCOMPARE(dialogs_.shownBoxes.size(), std::size_t{1});
        QVERIFY(dialogs_.shownBoxes[0].texto.find("8248 bytes") != std::string::npos);
        delete f;
    }

    void portChoice() {
        QPointer<Form1> f = openWindow();
        // No choice made: the first serial port.
        QCOMPARE(f->port(), QString("/dev/ttyS0"));
        f->Option1(2)->click();
        QCOMPARE(f->port(), QString("/dev/ttyS2"));
        f->otherPort()->setEditText("/dev/pts/7");
        QCOMPARE(f->port(), QString("/dev/pts/7"));
        QVERIFY(!f->Option1(2)->isChecked());
        f->Option1(3)->click();
        QCOMPARE(f->port(), QString("/dev/ttyS3"));
        delete f;
    }

    void closingRedrawsTheMainSign() {
        QPointer<Form1> f = openWindow();
        f->close();
        QCOMPARE(redraws_, 1);
        QTRY_VERIFY(f.isNull());

        redraws_ = 0;
        f = openWindow();
        f->Command2()->click();
        QCOMPARE(redraws_, 2);
        QTRY_VERIFY(f.isNull());
    }

    void transferRunsOffTheWindowThread() {
        openWithMessages(lumivel_, dir_.filePath("send.men"),
                         std::vector<tipomensaje>(20, texto(2, 2, std::string(60, 'r'))));
        QPointer<Form1> f = openWindow();
        f->setPortFactory(fakeFactory());
        QSignalSpy finished(f.data(), &Form1::transferFinished);
        f->Command1()->click();
        QVERIFY(f->transferring());
        QVERIFY(!f->Command1()->isEnabled());
        QVERIFY(!f->Command2()->isEnabled());
        // Closing is refused while the line is in use, and other windows take no input.
        f->close();
        QVERIFY(f->isVisible());
        QPushButton otherWindow("editar");
        otherWindow.show();
        QSignalSpy clicks(&otherWindow, &QPushButton::clicked);
        QTest::mouseClick(&otherWindow, Qt::LeftButton);
        QCOMPARE(clicks.size(), 0);
        QVERIFY(finished.wait(20000));
        QTest::mouseClick(&otherWindow, Qt::LeftButton);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(f->lastSend().outcome, Outcome::Verified);
        QCOMPARE(f->ProgressBar1()->value(), lumivel_.totaldatos);
        // The window says the transfer ended well, in the figures of the size label's tooltip.
        QCOMPARE(f->panel(0)->text(),
                 QString("Transmision completa: 1262 de 1262 bytes verificados."));
        QVERIFY(f->SkinLabel2()->text().startsWith("1261 Utilizados"));
        QVERIFY(
            f->SkinLabel2()->toolTip().startsWith("Se envían 1262 bytes, del índice 0 al 1261"));
        QVERIFY(f->Command1()->isEnabled());
        QVERIFY(dialogs_.shownBoxes.empty());

        // "Enviar" again sends the same image again.
        f->Command1()->click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(f->lastSend().transfer.imageBytes, 20 * 63 + 2);
        delete f;
    }

    void closingTheProgramMidTransferEndsIt() {
        openWithMessages(lumivel_, dir_.filePath("quit.men"),
                         std::vector<tipomensaje>(60, texto(2, 2, std::string(130, 'q'))));
        QPointer<Form1> f = openWindow();
        // A slow line: the whole image would take about 40 s.
        f->setPortFactory(slowEchoFactory(5));
        f->Command1()->click();
        QVERIFY(f->transferring());
        QElapsedTimer stopwatch;
        stopwatch.start();
        delete f;
        QVERIFY(stopwatch.elapsed() < 5000);
    }

    void detenerEndsTheTransferAtAByteAndSaysHowFar() {
        openWithMessages(lumivel_, dir_.filePath("stop.men"),
                         std::vector<tipomensaje>(60, texto(2, 2, std::string(130, 's'))));
        QPointer<Form1> f = openWindow();
        f->setPortFactory(slowEchoFactory(2));
        QSignalSpy finished(f.data(), &Form1::transferFinished);
        QVERIFY(f->stopButton()->isHidden());
        f->Command1()->click();
        QVERIFY(f->stopButton()->isVisible());
        QTRY_VERIFY(f->ProgressBar1()->value() > 10);
        f->stopButton()->click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(f->lastSend().outcome, Outcome::Stopped);
        const int verified = f->lastSend().transfer.verified;
        QVERIFY(verified > 10 && verified < lumivel_.totaldatos);
        QCOMPARE(f->panel(0)->text(),
                 QString("Transmision interrumpida: %1 de %2 bytes verificados.")
                     .arg(verified)
                     .arg(lumivel_.totaldatos + 1));
        QVERIFY(f->stopButton()->isHidden());
        QVERIFY(dialogs_.shownBoxes.empty());
        QCOMPARE(f->windowTitle(),
                 QString("Comunicacion Serial   Transmision de informacion  al Lumivel"));
        delete f;
    }

    // Data errors are the window's to show; the other endings come with their own box.
    void mismatchIsReported() {
        openWithMessages(lumivel_, dir_.filePath("bad.men"), {texto(1, 1, std::string(40, 'e'))});
        QPointer<Form1> f = openWindow();
        QSignalSpy finished(f.data(), &Form1::transferFinished);
        f->setPortFactory(fakeFactory({SignFault::Kind::Corrupt, 5}));
        f->Command1()->click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(f->lastSend().outcome, Outcome::WithErrors);
        QTRY_COMPARE(dialogs_.shownBoxes.size(), std::size_t{1});
        QCOMPARE(dialogs_.shownBoxes[0].title, std::string("Error en la TX y RX de datos"));
        delete f;
    }

    // An unplugged sign is one disconnection: no differing echo before it, and no title left
    // saying the connection is good.
    void unpluggedSignIsOneDisconnection() {
        openWithMessages(lumivel_, dir_.filePath("unplug.men"),
                         {texto(1, 1, std::string(40, 'u'))});
        QPointer<Form1> f = openWindow();
        const QString title = f->windowTitle();
        QSignalSpy finished(f.data(), &Form1::transferFinished);
        f->setPortFactory([](const QString& device) {
            auto port = std::make_unique<FakePort>();
            port->deviceName = device.toStdString();
            port->loseAfterWritten = 20;
            return port;
        });
        f->Command1()->click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(f->lastSend().outcome, Outcome::PortLost);
        QCOMPARE(dialogs_.shownBoxes.size(), std::size_t{1});
        QVERIFY(dialogs_.shownBoxes[0].texto.starts_with("Se perdio el puerto"));
        QCOMPARE(f->windowTitle(), title);
        QCOMPARE(f->panel(0)->text(),
                 QString("Transmision interrumpida: 14 de 45 bytes verificados."));
        delete f;
    }

    void missingPortIsNamed() {
        openWithMessages(lumivel_, dir_.filePath("missing.men"), {texto(1, 1, "a")});
        QPointer<Form1> f = openWindow();
        QSignalSpy finished(f.data(), &Form1::transferFinished);
        f->otherPort()->setEditText(dir_.filePath("no-such-device"));
        f->Command1()->click();
        QVERIFY(finished.wait(20000));
        QCOMPARE(f->lastSend().outcome, Outcome::PortNotOpened);
        QCOMPARE(f->panel(0)->text(), QString("No se ha enviado nada."));
        QCOMPARE(dialogs_.shownBoxes.size(), std::size_t{1});
        QVERIFY(dialogs_.shownBoxes[0].texto.find("no-such-device") != std::string::npos);
        delete f;
    }
};

QTEST_MAIN(Form1Test)
#include "test_form1.moc"
