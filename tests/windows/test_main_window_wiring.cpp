// The main window's controls reach the message store, the drawing tools, the secondary
// windows and the skins; closing asks only when messages would be lost.
#include "windows/form2.hpp"
#include "windows/form5.hpp"
#include "display/scripted_dialogs.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form3.hpp"
#include "ui/icon_box.hpp"
#include "windows/form1.hpp"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace lumivel;

class MainWindowWiringTest : public QObject {
    Q_OBJECT
  private slots:
    void addingATextListsItAndClosingAsksToKeepIt() {
        ScriptedDialogs dialogs;
        auto* window = new Form3(&dialogs);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->ADICIONAR()->click();
        QCOMPARE(window->Lstcodigo()->count(), 1);
        QCOMPARE(window->Lstcodigo()->item(0)->text(), QString("1"));
        QVERIFY(window->estado().archivo.isOpen());
        const std::string scratch = window->estado().archivo.path();

        // Messages only in the scratch file: closing asks once; "Cancelar" keeps the window.
        dialogs.respuestas.push_back(Respuesta::Cancelar);
        QVERIFY(!window->close());
        QCOMPARE(dialogs.mostradas.size(), std::size_t{1});
        QVERIFY(window->isVisible());
        QVERIFY(QFile::exists(QString::fromStdString(scratch)));

        // "Salir" asks again; "No" leaves without saving and closes the file.
        dialogs.respuestas.push_back(Respuesta::No);
        window->opsalir()->trigger();
        QCOMPARE(dialogs.mostradas.size(), std::size_t{2});
        QVERIFY(!window->isVisible());
        QVERIFY(!window->estado().archivo.isOpen());
        delete window;
    }

    void closingWithNothingToLoseAsksNothing() {
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.close());
        QVERIFY(dialogs.mostradas.empty());
    }

    void drawingToolsActOnTheSign() {
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.opgrafico()->trigger();
        QTest::mouseMove(window.Pic(), QPoint(6, 6));
        QTest::mouseClick(window.Pic(), Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(window.estado().sign.matriz[0][0], std::int16_t{1});
        QVERIFY(window.Pic()->shown().lit(0, 0));
        QCOMPARE(window.panel(1)->text(), QString("x = 1  y = 1"));
        QTest::mouseClick(window.picmenu(7), Qt::LeftButton); // icon box over "invertir"
        QCOMPARE(window.estado().sign.matriz[0][0], std::int16_t{0});
        QCOMPARE(window.estado().sign.matriz[1][0], std::int16_t{1});
    }

    void secondaryWindowsOpenOnceAndCloseWithTheMainWindow() {
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.configurar()->click();
        QPointer<Form5> colores = window.ventanaColores();
        QVERIFY(colores != nullptr);
        window.opconfiguracion()->trigger();
        QCOMPARE(window.ventanaColores(), colores.data());
        window.serial()->click();
        QPointer<Form1> transmision = window.ventanaTransmision();
        QVERIFY(transmision != nullptr);
        window.openviar()->trigger();
        QCOMPARE(window.ventanaTransmision(), transmision.data());
        window.opacerdade()->trigger();
        QPointer<Form2> acerca = window.ventanaAcercaDe();
        QVERIFY(acerca != nullptr);
        QVERIFY(acerca->isVisible());
        QVERIFY(window.close());
        QTRY_VERIFY(colores.isNull());
        QTRY_VERIFY(acerca.isNull());
        QTRY_VERIFY(transmision.isNull());
    }

    void skinMenuRecoloursTheToolbarAndRedrawsTheSign() {
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The skins ship beside the program, not beside this test: the switch is seen in
        // the path and in the buttons taking whatever colour the component reports.
        window.MNUCamb(1)->trigger(); // "Galaxy"
        QVERIFY(window.estado().archivoskin.find("galaxy.skn") != std::string::npos);
        const QColor after = window.Skin1().color();
        QCOMPARE(Form3::colorDeFondo(window.Play()), after);
        QCOMPARE(Form3::colorDeFondo(window.picmenu(12)), after);
        QVERIFY(window.Pic()->shown().lit(4, 1)); // " LED LUMIVEL" still shown
        // A skin that cannot be read keeps the current look.
        window.estado().archivoskin = "/nonexistent/x.skn";
        window.MNUCamb(6)->trigger();
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(MainWindowWiringTest)
#include "test_main_window_wiring.moc"
