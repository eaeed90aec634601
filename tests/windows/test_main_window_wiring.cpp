// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls reach the message store, the drawing tools, the secondary
// windows and the skins; closing asks only when messages would be lost.
#include "appearance/skin_table.hpp"
#include "display/composition.hpp"
#include "display/scripted_dialogs.hpp"
#include "session/scratch_file.hpp"
#include "session/scratch_folder.hpp"
#include "support/file_bytes.hpp"
#include "support/find_control.hpp"
#include "support/main_window.hpp"
#include "ui/input_blocker.hpp"
#include "ui/sign_widget.hpp"
#include "ui/skin.hpp"
#include "windows/form1.hpp"
#include "windows/form2.hpp"
#include "windows/form3.hpp"
#include "windows/form5.hpp"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace lumivel;
using lumivel::test::control;

namespace {

// Where the window keeps its scratch message files (CTest gives each test its own).
QString scratchFiles() {
    return QString::fromStdString(scratchFolder().value());
}

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
        const QString scratch = QString::fromStdString(window->state().archivo.path());
        QCOMPARE(QFileInfo(scratch).absolutePath(), scratchFiles());

        // Messages only in the scratch file: the close box and "Salir" both ask.
        dialogs.replies = {Answer::Cancel, Answer::No};
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        action(*window, "opsalir")->trigger();
        QCOMPARE(dialogs.shownBoxes.size(), std::size_t{2});
        QVERIFY(!window->isVisible());
        delete window;
    }

    // A window that was never closed (the program was killed) leaves its messages; the next
    // start offers them, and the status bar says they are not saved rather than a path.
    void startOffersMessagesAKilledRunLeft() {
        {
            ScriptedDialogs dialogs;
            Form3 killed(&dialogs);
            control<QPushButton>(killed, "ADICIONAR")->click();
            QVERIFY(killed.state().scratch.isOpen());
        }
        ScriptedDialogs dialogs;
        dialogs.replies.push_back(Answer::Yes);
        Form3 window(&dialogs);
        QCOMPARE(dialogs.shownBoxes.size(), std::size_t{1});
        QCOMPARE(control<QListWidget>(window, "Lstcodigo")->count(), 1);
        QCOMPARE(control<QLabel>(window, "panel_0")->text(), QString("Mensajes sin guardar"));
        dialogs.replies.push_back(Answer::No);
        QVERIFY(window.close());
        QVERIFY(QDir(scratchFiles()).isEmpty());
    }

    void drawingToolsActOnTheSign() {
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        action(window, "opgrafico")->trigger();
        auto* pic = control<SignWidget>(window, "Pic");
        QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(pic->shown().lit(0, 0));
        // The icon box over "invertir".
        QTest::mouseClick(control(window, "picmenu", 7), Qt::LeftButton);
        QCOMPARE(window.state().sign.matriz[0][0], std::int16_t{0});
        QCOMPARE(window.state().sign.matriz[1][0], std::int16_t{1});
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
        QPointer<Form5> colours = theWindow<Form5>();
        QPointer<Form1> transfer = theWindow<Form1>();
        QPointer<Form2> aboutWindow = theWindow<Form2>();
        QVERIFY(colours && transfer && aboutWindow && transfer->isVisible());
        QVERIFY(window.close());
        QVERIFY(dialogs.shownBoxes.empty()); // nothing to lose, nothing asked
        QTRY_VERIFY(colours.isNull() && aboutWindow.isNull() && transfer.isNull());
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
        // The refresh icon's dark strokes get a light rim on the dark toolbar.
        auto* refresh = control<QLabel>(window, "picmenu", 11);
        const QImage plainRefresh = refresh->pixmap().toImage();

        control<QAction>(window, "MNUCamb", 1)->trigger();
        QCOMPARE(background(play), color);
        QVERIFY(refresh->pixmap().toImage() != plainRefresh);
        QCOMPARE(background(control(window, "Picture1")), color);
        QVERIFY(background(control(window, "Text1")) != color); // the toolbar and its frame only
        QVERIFY(control<SignWidget>(window, "Pic")->shown().lit(4, 1)); // " LED LUMIVEL"
    }

    // ADICIONAR, MODIFICAR and ELIMINAR are steps: undo gives back the file's bytes exactly,
    // redo the bytes the step left, and the list follows. A file changed elsewhere is left
    // alone, with a box saying why.
    void listStepsGiveBackTheFileBytes() {
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        Lumivel& l = window.state();
        auto* list = control<QListWidget>(window, "Lstcodigo");
        const auto button = [&window](const char* name) {
            control<QPushButton>(window, name)->click();
        };
        std::vector<std::string> states{""};
        const auto bytes = [&l] { return readBytes(l.archivo.path()); };
        for (const char* text : {"UNO", "DOS"}) {
            changeText(l, text);
            button("ADICIONAR");
            states.push_back(bytes());
        }
        list->setCurrentRow(0);
        changeText(l, "TRES");
        button("MODIFICAR");
        states.push_back(bytes());
        list->setCurrentRow(0);
        button("ELIMINAR");
        states.push_back(bytes());
        QCOMPARE(action(window, "undo")->text(), QString("Deshacer eliminar mensaje"));
        const std::vector<int> inputs{0, 1, 2, 2, 1};
        for (std::size_t k = states.size() - 1; k-- > 0;) {
            action(window, "undo")->trigger();
            QCOMPARE(bytes(), states[k]);
            QCOMPARE(list->count(), inputs[k]);
        }
        for (std::size_t k = 1; k < states.size(); ++k) {
            action(window, "redo")->trigger();
            QCOMPARE(bytes(), states[k]);
        }
        QVERIFY(dialogs.shownBoxes.empty());

        const std::string foreign = states.back() + "x";
        writeBytes(l.archivo.path(), foreign);
        action(window, "undo")->trigger();
        QCOMPARE(bytes(), foreign);
        QCOMPARE(dialogs.shownBoxes.size(), std::size_t{1});
        QCOMPARE(dialogs.shownBoxes[0].title, std::string("No se puede deshacer"));
    }

    // Guardar keeps the history: a step taken before saving is undone in the saved file.
    // Nuevo starts afresh.
    void savingKeepsTheStepsForTheSavedFile() {
        // A state folder of its own: no scratch file of an earlier test is offered.
        QTemporaryDir dir;
        const QByteArray state = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", dir.path().toLocal8Bit());
        const auto restore = qScopeGuard([&state] { qputenv("XDG_STATE_HOME", state); });
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        Lumivel& l = window.state();
        const std::string path = dir.filePath("guardado.men").toStdString();
        for (const char* text : {"UNO", "DOS"}) {
            changeText(l, text);
            control<QPushButton>(window, "ADICIONAR")->click();
        }
        // An accidental press is noticed: the status bar says what the button did.
        QCOMPARE(window.statusBar()->currentMessage(), QString("Mensaje 2 añadido"));
        dialogs.files = {path};
        control<QPushButton>(window, "guardar")->click();
        QCOMPARE(l.archivo.path(), path);
        action(window, "undo")->trigger();
        QCOMPARE(readBytes(path).size(), std::size_t{137});
        QCOMPARE(control<QListWidget>(window, "Lstcodigo")->count(), 1);
        action(window, "redo")->trigger();
        QCOMPARE(readBytes(path).size(), std::size_t{2 * 137});
        QVERIFY(dialogs.shownBoxes.empty());

        control<QPushButton>(window, "nuevo")->click();
        QVERIFY(!action(window, "undo")->isEnabled());
    }

    // A drag faster than the mouse reports: the LEDs between two positions are drawn, and the
    // whole stroke is one step.
    void aFastStrokeIsWholeAndOneStep() {
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        action(window, "opgrafico")->trigger();
        auto* pic = control<SignWidget>(window, "Pic");
        QTest::mousePress(pic, Qt::LeftButton, {}, QPoint(18, 30));
        QTest::mouseMove(pic, QPoint(246, 30));
        QTest::mouseRelease(pic, Qt::LeftButton, {}, QPoint(246, 30));
        int lit = 0;
        for (int c = 0; c < 64; ++c) {
            lit += pic->shown().lit(c, 2) ? 1 : 0;
        }
        QCOMPARE(lit, 20);
        QVERIFY(pic->shown().lit(1, 2) && pic->shown().lit(20, 2));
        QTest::keyClick(pic, Qt::Key_Z, Qt::ControlModifier);
        for (int c = 0; c < 64; ++c) {
            QVERIFY(!pic->shown().lit(c, 2));
        }
    }

    // A stroke (press to release), clear, invert and paint all are steps of the sign, reached
    // by Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z; the text box keeps its own Ctrl+Z.
    void drawingStepsGiveBackTheSign() {
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        action(window, "opgrafico")->trigger();
        auto* pic = control<SignWidget>(window, "Pic");
        const auto litCount = [pic] { return test::litCount(*pic); };
        QTest::mousePress(pic, Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseMove(pic, QPoint(18, 6));
        QTest::mouseRelease(pic, Qt::LeftButton, {}, QPoint(18, 6));
        QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(6, 6)); // changes nothing: no step
        control<QPushButton>(window, "invertir")->click();
        control<QPushButton>(window, "Bomba")->click();
        control<QPushButton>(window, "pintura")->click();
        QCOMPARE(action(window, "undo")->text(), QString("Deshacer pintar todo"));
        const auto shortcut = [pic](Qt::KeyboardModifiers modifiers, Qt::Key key) {
            QTest::keyClick(pic, key, modifiers);
        };
        {
            const InputBlocker asDuringAnEffect;
            shortcut(Qt::ControlModifier, Qt::Key_Z);
            QCOMPARE(litCount(), 512);
        }
        for (const int expected : {0, 510, 2}) {
            shortcut(Qt::ControlModifier, Qt::Key_Z);
            QCOMPARE(litCount(), expected);
        }
        QCOMPARE(window.state().sign.matriz[1][0], std::int16_t{1});
        shortcut(Qt::ControlModifier, Qt::Key_Z);
        QCOMPARE(litCount(), 0);
        shortcut(Qt::ControlModifier, Qt::Key_Y);
        shortcut(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
        QCOMPARE(litCount(), 510);

        auto* text1 = control<QLineEdit>(window, "Text1");
        action(window, "optexto")->trigger();
        text1->setFocus();
        QTest::keyClicks(text1, "AB");
        QTest::keyClick(text1, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text1->text(), QString(""));
        QCOMPARE(action(window, "undo")->text(), QString("Deshacer invertir"));
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
