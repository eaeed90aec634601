// The main window's controls reach the message store, the drawing tools, the secondary
// windows and the skins; closing asks only when messages would be lost.
#include "appearance/skin_table.hpp"
#include "display/scripted_dialogs.hpp"
#include "support/find_control.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form1.hpp"
#include "windows/form2.hpp"
#include "windows/form3.hpp"
#include "windows/form5.hpp"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace lumivel;
using lumivel::test::control;

namespace {

// The window makes its scratch message file in the system's temporary folder; this test
// gives it one of its own, removed when the test ends.
const QTemporaryDir privateTemp;
[[maybe_unused]] const bool privateTempSet = qputenv("TMPDIR", privateTemp.path().toLocal8Bit());

// The one open window of its kind; null when there is none, or more than one.
template <typename Window> Window* theWindow() {
    QList<Window*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget)) {
            found << window;
        }
    }
    return found.size() == 1 ? found.first() : nullptr;
}

} // namespace

class MainWindowWiringTest : public QObject {
    Q_OBJECT
  private slots:
    void addingATextListsItAndClosingAsksToKeepIt() {
        ScriptedDialogs dialogs;
        auto* window = new Form3(&dialogs);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        control<QPushButton>(*window, "ADICIONAR")->click();
        auto* list = control<QListWidget>(*window, "Lstcodigo");
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QString("1"));
        const QString scratch = QString::fromStdString(window->estado().archivo.path());
        QCOMPARE(QFileInfo(scratch).absolutePath(), privateTemp.path());

        // Messages only in the scratch file: closing asks once; "Cancelar" keeps the window.
        dialogs.respuestas.push_back(Answer::Cancel);
        QVERIFY(!window->close());
        QCOMPARE(dialogs.mostradas.size(), std::size_t{1});
        QVERIFY(window->isVisible());
        QVERIFY(QFile::exists(scratch));

        // "Salir" asks again; "No" leaves without saving and closes the file.
        dialogs.respuestas.push_back(Answer::No);
        action(*window, "opsalir")->trigger();
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
        action(window, "opgrafico")->trigger();
        auto* pic = control<SignWidget>(window, "Pic");
        QTest::mouseMove(pic, QPoint(6, 6));
        QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(window.estado().sign.matriz[0][0], std::int16_t{1});
        QVERIFY(pic->shown().lit(0, 0));
        QCOMPARE(control<QLabel>(window, "panel", 1)->text(), QString("x = 1  y = 1"));
        // The icon box over "invertir".
        QTest::mouseClick(control(window, "picmenu", 7), Qt::LeftButton);
        QCOMPARE(window.estado().sign.matriz[0][0], std::int16_t{0});
        QCOMPARE(window.estado().sign.matriz[1][0], std::int16_t{1});
    }

    void secondaryWindowsOpenOnceAndCloseWithTheMainWindow() {
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        control<QPushButton>(window, "configurar")->click();
        action(window, "opconfiguracion")->trigger();
        control<QPushButton>(window, "serial")->click();
        action(window, "openviar")->trigger();
        action(window, "opacerdade")->trigger();
        action(window, "opacerdade")->trigger();
        QPointer<Form5> colores = theWindow<Form5>();
        QPointer<Form1> transfer = theWindow<Form1>();
        QPointer<Form2> acerca = theWindow<Form2>();
        QVERIFY(colores && transfer && acerca);
        QVERIFY(colores->isVisible() && transfer->isVisible() && acerca->isVisible());
        QVERIFY(window.close());
        QTRY_VERIFY(colores.isNull() && acerca.isNull() && transfer.isNull());
    }

    void skinMenuRecoloursTheToolbarAndRedrawsTheSign() {
        // A program folder holding one skin, the menu's second entry.
        QTemporaryDir programFolder;
        const QColor color(0x20, 0x50, 0xA0);
        QFile skin(programFolder.filePath(kSkins[1].archivo));
        QVERIFY(skin.open(QIODevice::WriteOnly) && skin.write("[skin]\ncolor = #2050A0\n") > 0);
        skin.close();
        ScriptedDialogs dialogs;
        Form3 window(&dialogs, programFolder.path().toStdString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* play = control<QPushButton>(window, "Play");
        QVERIFY(background(play) != color);

        control<QAction>(window, "MNUCamb", 1)->trigger();
        QCOMPARE(background(play), color);
        QCOMPARE(background(control(window, "Picture1")), color);
        QVERIFY(background(control(window, "Text1")) != color); // the toolbar and its frame only
        QVERIFY(control<SignWidget>(window, "Pic")->shown().lit(4, 1)); // " LED LUMIVEL"

        // A skin that cannot be read keeps the current look.
        control<QAction>(window, "MNUCamb", 6)->trigger();
        QVERIFY(window.isVisible());
        QCOMPARE(background(play), color);
    }

  private:
    static QAction* action(const Form3& f, const char* name) { return control<QAction>(f, name); }
    // The colour a person sees at a control's left edge, clear of any picture.
    static QColor background(QWidget* control) {
        return control->grab().toImage().pixelColor(3, control->height() / 2);
    }
};

QTEST_MAIN(MainWindowWiringTest)
#include "test_main_window_wiring.moc"
