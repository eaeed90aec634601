// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/windows1252.hpp"
#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "display/scripted_dialogs.hpp"
#include "presentation/editing_mode.hpp"
#include "store/message_store.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form3.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include "support/find_control.hpp"
#include "support/main_window.hpp"
#include "support/message_fixture.hpp"

using namespace lumivel;
using lumivel::test::control;

namespace {

// A change made on the state alone, the kind announced for it, and what one view shows
// once it follows.
struct Follower {
    void (*change)(Lumivel& l, const QString& folder);
    void (StateChanges::*kind)();
    bool (*shows)(Form3& w);
};

void toDrawing(Lumivel& l, const QString& /*folder*/) {
    selectOption1(l, kDrawingMode);
}

void typeInSmallFont(Lumivel& l, const QString& /*folder*/) {
    selectOption1(l, kTextMode);
    selectOpletra(l, 1);
    changeText(l, utf8ToWindows1252("AÑO"));
}

void openTwoMessages(Lumivel& l, const QString& folder) {
    test::openWithMessages(l, folder + "/m.men",
                           {test::texto(1, 1, "HOLA"), test::texto(2, 1, "ADIOS")});
    QVERIFY(llenarlista(l).ok());
}

void lightOneLed(Lumivel& l, const QString& /*folder*/) {
    l.sign.borrar();
    l.sign.matriz[5][3] = 1;
}

} // namespace

Q_DECLARE_METATYPE(Follower)

class StateChangesTest : public QObject {
    Q_OBJECT
  private slots:
    void eachViewFollowsItsKindOfChange_data() {
        QTest::addColumn<Follower>("follower");
        using S = StateChanges;
        const auto row = [](const char* name, Follower f) { QTest::newRow(name) << f; };
        row("Text1 follows the mode", {toDrawing, &S::modeChanged,
                                       [](Form3& w) { return !control(w, "Text1")->isEnabled(); }});
        row("the toolbar follows the mode",
            {toDrawing, &S::modeChanged, [](Form3& w) {
                 return control<QAbstractButton>(w, "Option1", 0)->isChecked() &&
                        control(w, "goma")->isEnabled();
             }});
        row("the picture items follow the mode",
            {toDrawing, &S::modeChanged,
             [](Form3& w) { return control<QAction>(w, "copyPicture")->isEnabled(); }});
        row("Text1 follows the text", {typeInSmallFont, &S::textChanged, [](Form3& w) {
                                           return control<QLineEdit>(w, "Text1")->text() ==
                                                  QStringLiteral("AÑO");
                                       }});
        row("the options follow the font",
            {typeInSmallFont, &S::textChanged,
             [](Form3& w) { return control<QAbstractButton>(w, "Opletra", 1)->isChecked(); }});
        row("the meters follow the text", {typeInSmallFont, &S::textChanged, [](Form3& w) {
                                               return control<QLabel>(w, "glyphWarning")->text() ==
                                                      QStringLiteral("Sin letra en 5 x 7: Ñ");
                                           }});
        row("Lstcodigo follows the list",
            {openTwoMessages, &S::listChanged,
             [](Form3& w) { return control<QListWidget>(w, "Lstcodigo")->count() == 2; }});
        row("the image meter follows the list", {openTwoMessages, &S::listChanged, [](Form3& w) {
                                                     return !control(w, "imageUsage")->isHidden();
                                                 }});
        row("the title follows the file",
            {openTwoMessages, &S::fileChanged,
             [](Form3& w) { return w.windowTitle().startsWith(QStringLiteral("m.men - ")); }});
        row("the recent files follow the file",
            {openTwoMessages, &S::fileChanged, [](Form3& w) {
                 const QList<QAction*> entries = control<QMenu>(w, "recentFiles")->actions();
                 return !entries.isEmpty() && entries.first()->text().endsWith(
                                                  QString::fromStdString(w.state().archivo.path()));
             }});
        row("the sign follows the sign",
            {lightOneLed, &S::signChanged,
             [](Form3& w) { return test::litCount(*control<SignWidget>(w, "Pic")) == 1; }});
    }

    // Changed behind the window's back, a view shows the change only once it is announced.
    void eachViewFollowsItsKindOfChange() {
        QFETCH(Follower, follower);
        const QTemporaryDir folder;
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        follower.change(window.state(), folder.path());
        QVERIFY(!follower.shows(window));
        emit(window.changes().*follower.kind)();
        QVERIFY(follower.shows(window));
    }
};

QTEST_MAIN(StateChangesTest)
#include "test_state_changes.moc"
