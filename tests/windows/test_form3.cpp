// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/scripted_dialogs.hpp"
#include "session/lumivel.hpp"
#include "support/file_bytes.hpp"
#include "support/find_control.hpp"
#include "support/message_fixture.hpp"
#include "ui/icon_box.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form3.hpp"
#include "windows/playback_controller.hpp"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

using namespace lumivel;
using lumivel::test::control;

namespace {

// Where the tests write their message files.
const QTemporaryDir filesFolder;

bool usable(const Form3& form, const char* name) {
    const QWidget* widget = control(form, name);
    return widget->isEnabled() && widget->isVisible();
}

} // namespace

class Form3Test : public QObject {
    Q_OBJECT
    ScriptedDialogs dialogs;
    std::unique_ptr<Form3> form_;

  private slots:
    void init() {
        dialogs = ScriptedDialogs{};
        form_ = std::make_unique<Form3>(&dialogs);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void cleanup() { form_.reset(); }

    void modeSwitchSetsItsControlsAndKeepsTheRest() {
        Form3& form = *form_;
        // Controls outside the mode's table keep whatever state they had.
        button(form, "ELIMINAR")->setEnabled(false);
        click(option(form, "Option1", 0));
        QCOMPARE(form.state().option1, 0);
        QVERIFY(Text1(form)->text().isEmpty());
        QCOMPARE(visibleColumns(form), VisibleColumns{});
        // The chosen tool's button is the one not offered.
        QVERIFY(!usable(form, "Text1") && !usable(form, "lapiz") && usable(form, "goma"));
        QVERIFY(!usable(form, "ELIMINAR"));
        form.state().tool = DrawingTool::Eraser;
        emit form.changes().modeChanged();
        QVERIFY(usable(form, "lapiz") && !usable(form, "goma"));

        action(form, "optexto")->trigger();
        QCOMPARE(form.state().option1, 1);
        QVERIFY(option(form, "Option1", 1)->isChecked());
        QVERIFY(usable(form, "Text1") && !usable(form, "goma") && !usable(form, "picmenu_3"));
        QVERIFY(!usable(form, "ELIMINAR"));
        action(form, "opgrafico")->trigger();
        QCOMPARE(form.state().option1, 0);
    }

    void toolbarButtonsShowIconsAndTheChosenToolPressed() {
        Form3& form = *form_;
        const auto pressed = [&] {
            return std::pair{button(form, "lapiz")->isChecked(), button(form, "goma")->isChecked()};
        };
        const auto allHaveIcons = [&] {
            for (const char* name :
                 {"nuevo", "abrir", "guardar", "lapiz", "goma", "pintura", "Bomba", "invertir",
                  "mayuscula", "Play", "configurar", "refrescar", "serial"}) {
                const QIcon icon = button(form, name)->icon();
                // A disabled button shows its icon greyed.
                if (icon.isNull() || icon.pixmap(16, QIcon::Disabled).toImage() ==
                                         icon.pixmap(16, QIcon::Normal).toImage()) {
                    return false;
                }
            }
            return true;
        };
        QVERIFY(allHaveIcons());
        QCOMPARE(pressed(), std::pair(false, false)); // text mode: no tool in use
        click(option(form, "Option1", 0));
        QVERIFY(allHaveIcons());
        QCOMPARE(pressed(), std::pair(true, false));
        click(picmenu(form, 4));
        QCOMPARE(pressed(), std::pair(false, true));
        click(button(form, "lapiz"));
        QCOMPARE(pressed(), std::pair(true, false));

        // The status bar's last panel, the clock, lies whole inside the bar.
        const QWidget* clock = control(form, "panel_3");
        QVERIFY(clock->geometry().right() < clock->parentWidget()->width());
    }

    void iconBoxAndMenuRunTheButtonsHandler() {
        Form3& form = *form_;
        QSignalSpy abrir(button(form, "abrir"), &QPushButton::clicked);
        QSignalSpy configurar(button(form, "configurar"), &QPushButton::clicked);
        button(form, "abrir")->setEnabled(false); // runs even when the button is disabled
        click(picmenu(form, 1));
        action(form, "opabrir")->trigger();
        QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier); // the menu's shortcut
        QCOMPARE(abrir.count(), 3);
        action(form, "opconfiguracion")->trigger();
        click(picmenu(form, 10));
        QCOMPARE(configurar.count(), 2);

        // In text mode the pencil's icon box is hidden and disabled: it gets no clicks.
        QSignalSpy lapiz(button(form, "lapiz"), &QPushButton::clicked);
        click(picmenu(form, 3));
        QCOMPARE(lapiz.count(), 0);
        click(option(form, "Option1", 0));
        click(picmenu(form, 3));
        QCOMPARE(lapiz.count(), 1);
    }

    void playSimularAndItsIconBoxRefuseAnEmptyText() {
        Form3& form = *form_;
        click(option(form, "Option1", 0)); // drawing mode empties the text
        click(button(form, "Play"));
        action(form, "opsimular")->trigger();
        click(picmenu(form, 9));
        QCOMPARE(dialogs.shownBoxes.size(), std::size_t{3});
        for (const MessageBoxSpec& box : dialogs.shownBoxes) {
            QCOMPARE(box.title, std::string("No hay Mensaje"));
        }
        QVERIFY(!playing(form));
    }

    void effectPlaysWithInputBlocked() {
        Form3& form = *form_;
        click(option(form, "op_mostrar", 1)); // "Por Fila"
        QCOMPARE(form.state().tipopresentacion, std::int16_t{2});
        const VisibleColumns initial = visibleColumns(form);
        QSignalSpy mode(option(form, "Option1", 0), &QAbstractButton::clicked);
        QSignalSpy configurar(button(form, "configurar"), &QPushButton::clicked);
        bool during = false;
        VisibleColumns duringHold{};
        QTimer::singleShot(1000, &form, [&] {
            during = playing(form);
            duringHold = visibleColumns(form); // the hold shows the whole text
            click(option(form, "Option1", 0));
            click(picmenu(form, 10));
            QTest::keyClicks(Text1(form), "xyz");
            QTest::keyClick(&form, Qt::Key_O, Qt::AltModifier);
        });
        QElapsedTimer stopwatch;
        stopwatch.start();
        click(button(form, "Play"));
        QVERIFY(stopwatch.elapsed() >= 3400);
        QVERIFY(during);
        QCOMPARE(duringHold, initial);
        QCOMPARE(mode.count(), 0);
        QCOMPARE(configurar.count(), 0);
        QCOMPARE(form.state().option1, 1);
        QCOMPARE(Text1(form)->text(), QStringLiteral(" LED LUMIVEL"));
        QCOMPARE(visibleColumns(form), VisibleColumns{}); // "Por Fila" ends dark
        QVERIFY(!playing(form));
        click(picmenu(form, 10)); // input works again afterwards
        QCOMPARE(configurar.count(), 1);
    }

    void resizeDuringAnEffectKeepsTheFrameShown() {
        Form3& form = *form_;
        const VisibleColumns whole = visibleColumns(form);
        click(option(form, "op_mostrar", 2)); // "Por columna" draws the text column by column
        VisibleColumns before{};
        VisibleColumns after{};
        QTimer::singleShot(300, &form, [&] {
            before = visibleColumns(form);
            QResizeEvent resize(form.size(), form.size());
            QApplication::sendEvent(&form, &resize);
            after = visibleColumns(form);
            form.close();
        });
        click(button(form, "Play"));
        QVERIFY(before != whole);
        QCOMPARE(after, before);
    }

    void escapeStopsAnEffectAsIfItHadEnded() {
        Form3& form = *form_;
        const VisibleColumns whole = visibleColumns(form);
        for (const int effect : {0, 2}) { // "Caminando" puts the text back, "Por columna" ends dark
            click(option(form, "op_mostrar", effect));
            QTimer::singleShot(300, &form, [&] { QTest::keyClick(&form, Qt::Key_Escape); });
            QElapsedTimer clock;
            clock.start();
            click(button(form, "Play"));
            QVERIFY(clock.elapsed() < 2000);
            QCOMPARE(visibleColumns(form), effect == 0 ? whole : VisibleColumns{});
            QCOMPARE(Text1(form)->text(), QStringLiteral(" LED LUMIVEL"));
        }
    }

    // Named on the command line or dropped from the desktop, a file opens as "Abrir" opens it.
    void filesFromOutsideOpenAsAbrirWould() {
        Form3& form = *form_;
        const QString named = filesFolder.filePath("nombrado.men");
        const QString dropped = filesFolder.filePath("soltado.men");
        writeBytes(named.toStdString(),
                   test::record(1, 1, 1, "uno") + test::record(2, 2, 2, "dos"));
        writeBytes(dropped.toStdString(), test::record(1, 3, 1, "tres"));
        form.openMessageFile(named);
        QCOMPARE(control<QListWidget>(form, "Lstcodigo")->count(), 2);

        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(dropped)});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &files, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &drop);
        QCOMPARE(form.state().archivo.path(), dropped.toStdString());
        QCOMPARE(control<QListWidget>(form, "Lstcodigo")->count(), 1);
    }

    void closingDuringAnEffectStopsItAndCloses() {
        Form3& form = *form_;
        click(option(form, "op_mostrar", 2)); // "Por columna", 8 s
        QTimer::singleShot(300, &form, [&] { form.close(); });
        QElapsedTimer stopwatch;
        stopwatch.start();
        click(button(form, "Play"));
        QVERIFY(stopwatch.elapsed() < 3000);
        QVERIFY(!form.isVisible());
        QVERIFY(!playing(form));
    }

    void textBoxHoldsWhatARecordStores() {
        Form3& form = *form_;
        QLineEdit* text = Text1(form);
        text->clear();
        QTest::keyClicks(text, QString(140, QLatin1Char('A')));
        QCOMPARE(text->text().size(), 130);
        QCOMPARE(form.state().texto.size(), std::size_t{130});
        // A character outside the sign's code page shows as it will be stored, at once.
        text->clear();
        QTest::keyClicks(text, QStringLiteral("AB"));
        text->setCursorPosition(1);
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u0151"));
        QApplication::sendEvent(text, &key);
        QCOMPARE(text->text(), QStringLiteral("A?B"));
        QCOMPARE(text->cursorPosition(), 2);
        QCOMPARE(form.state().texto, std::string("A?B"));
    }

    // Text labels name themselves; containers and the size grip are no controls.
    void reachableByKeyboardAndScreenReaders() {
        Form3& form = *form_;
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QSet<QWidget*> stops;
        for (int i = 0; i < 30; ++i, stops << QApplication::focusWidget()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QVERIFY(stops.contains(button(form, "serial")) && !stops.contains(button(form, "Reloj")));
        for (const char* window : {"opconfiguracion", "opacerdade", "openviar"}) {
            action(form, window)->trigger();
        }
        const auto acc = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w); };
        using enum QAccessible::Role;
        const QSet<QAccessible::Role> noControls = {Client, MenuBar, StatusBar, Grip, StaticText};
        for (QWidget* window : QApplication::topLevelWidgets()) {
            for (QWidget* w : window->findChildren<QWidget*>()) {
                QVERIFY2(!w->isVisible() || noControls.contains(acc(w)->role()) ||
                             !acc(w)->text(QAccessible::Name).isEmpty(),
                         w->metaObject()->className());
            }
        }
        QCOMPARE(acc(picmenu(form, 9))->text(QAccessible::Name), button(form, "Play")->toolTip());
        QCOMPARE(acc(control(form, "Pic"))->text(QAccessible::Description), Text1(form)->text());
        click(option(form, "Option1", 0));
        QCOMPARE(acc(control(form, "Pic"))->text(QAccessible::Description), "Gráfico");
    }

  private:
    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    static QPushButton* button(const Form3& f, const char* name) {
        return control<QPushButton>(f, name);
    }
    static QAbstractButton* option(const Form3& f, const char* name, int i) {
        return control<QAbstractButton>(f, name, i);
    }
    static IconBox* picmenu(const Form3& f, int i) { return control<IconBox>(f, "picmenu", i); }
    static QAction* action(const Form3& f, const char* name) { return control<QAction>(f, name); }
    static QLineEdit* Text1(const Form3& f) { return control<QLineEdit>(f, "Text1"); }
    static bool playing(const Form3& f) { return f.findChild<PlaybackController*>()->isPlaying(); }

    using VisibleColumns = std::array<int, 64>;
    static VisibleColumns visibleColumns(const Form3& form) {
        const SignWidget* pic = control<SignWidget>(form, "Pic");
        VisibleColumns bytes{};
        for (int c = 0; c < 64; ++c) {
            bytes[c] = pic->shown().columnByte(c);
        }
        return bytes;
    }
};

QTEST_MAIN(Form3Test)
#include "test_form3.moc"
