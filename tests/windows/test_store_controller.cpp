// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/scripted_dialogs.hpp"
#include "presentation/editing_mode.hpp"
#include "session/startup.hpp"
#include "ui/sign_widget.hpp"
#include "windows/state_changes.hpp"
#include "windows/store_controller.hpp"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <filesystem>

#include "support/message_fixture.hpp"

using namespace lumivel;
namespace fs = std::filesystem;

namespace {

struct Bench {
    QWidget window;
    SignWidget* Pic = new SignWidget(&window);
    QListWidget* Lstcodigo = new QListWidget(&window);
    QPushButton* ADICIONAR = new QPushButton("ADICIONAR", &window);
    QPushButton* ELIMINAR = new QPushButton("ELIMINAR", &window);
    QPushButton* MODIFICAR = new QPushButton("MODIFICAR", &window);
    QPushButton* abrir = new QPushButton(&window);
    QPushButton* guardar = new QPushButton(&window);
    QPushButton* nuevo = new QPushButton(&window);
    QLabel* panel0 = new QLabel("inicio", &window);
    Lumivel l;
    ScriptedDialogs d;
    StateChanges changes;
    int mirrored = 0;
    StoreController controller{
        {Lstcodigo, ADICIONAR, ELIMINAR, MODIFICAR, abrir, guardar, nuevo, panel0}, l, d, changes};

    Bench() {
        QObject::connect(&changes, &StateChanges::listChanged, &controller,
                         &StoreController::mostrar);
        QObject::connect(&changes, &StateChanges::modeChanged, [this] { ++mirrored; });
        l.sign.setSurface(Pic);
        startUp(l, ".");
        Lstcodigo->setGeometry(0, 110, 60, 200);
        ADICIONAR->move(100, 110);
        window.resize(800, 320);
        window.show();
    }
    QStringList inputs() const {
        QStringList e;
        for (int i = 0; i < Lstcodigo->count(); ++i) {
            e << Lstcodigo->item(i)->text();
        }
        return e;
    }
    void pressEnter(int row) {
        const QRect r = Lstcodigo->visualItemRect(Lstcodigo->item(row));
        QTest::mouseClick(Lstcodigo->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    }
};

} // namespace

class StoreControllerTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

  private slots:
    void buttonsAddAndTheListRecalls() {
        Bench b;
        QVERIFY(QTest::qWaitForWindowExposed(&b.window));
        const std::string path = (fs::path(dir_.path().toStdString()) / "b.men").string();
        b.d.files = {path};
        QTest::mouseClick(b.abrir, Qt::LeftButton);
        QCOMPARE(b.panel0->text(), QString::fromStdString(path));

        QSignalSpy notices(&b.controller, &StoreController::changed);
        b.l.texto = "UNO";
        QTest::mouseClick(b.ADICIONAR, Qt::LeftButton);
        b.l.texto = "DOS";
        QTest::mouseClick(b.ADICIONAR, Qt::LeftButton);
        QCOMPARE(b.inputs(), (QStringList{"1", "2"}));
        QCOMPARE(b.Lstcodigo->currentRow(), -1);
        QVERIFY(b.mirrored >= 3);

        b.pressEnter(0);
        QCOMPARE(b.l.texto, std::string("UNO"));
        // Pressing the selected entry again recalls it again.
        b.l.texto = "editado";
        b.pressEnter(0);
        QCOMPARE(b.l.texto, std::string("UNO"));
        QTest::mouseClick(b.MODIFICAR, Qt::LeftButton);

        QTest::mouseClick(b.ELIMINAR, Qt::LeftButton);
        QCOMPARE(b.inputs(), (QStringList{"1"}));
        QCOMPARE(fs::file_size(path), std::uintmax_t{274});
        QVERIFY(b.d.shownBoxes.empty());

        // Nothing selected now: MODIFICAR only explains.
        QTest::mouseClick(b.MODIFICAR, Qt::LeftButton);
        QCOMPARE(b.d.shownBoxes.size(), std::size_t{1});
        QCOMPARE(b.d.shownBoxes[0].title, std::string("No se ha seleccionado"));
        // Each button that did something says so, with the number it did it to.
        QStringList said;
        for (const QList<QVariant>& notice : notices) {
            said << notice.at(0).toString();
        }
        QCOMPARE(said, (QStringList{"Mensaje 1 añadido", "Mensaje 2 añadido",
                                    "Mensaje 1 modificado", "Mensaje 1 eliminado"}));
    }

    void leavingWithAScratchFileAsksFirst() {
        Bench b;
        QVERIFY(QTest::qWaitForWindowExposed(&b.window));
        QTest::mouseClick(b.ADICIONAR, Qt::LeftButton);
        QVERIFY(b.l.scratch.isOpen());
        QCOMPARE(b.panel0->text(), QString("Mensajes sin guardar"));
        b.d.replies = {Answer::Cancel};
        QVERIFY(!b.controller.confirmExitOrStay());
        QVERIFY(b.l.archivo.isOpen());
        b.d.replies = {Answer::No};
        QVERIFY(b.controller.confirmExitOrStay());
        QVERIFY(!b.l.archivo.isOpen());
        QCOMPARE(b.d.shownBoxes.size(), std::size_t{2});
    }

    // Another program adds, then deletes (replacing the file): the list follows both, and
    // the window's next add numbers after what the file holds.
    void changesBehindTheWindowsBackShowInTheList() {
        Bench b;
        const std::string path = (fs::path(dir_.path().toStdString()) / "compartido.men").string();
        b.d.files = {path};
        QTest::mouseClick(b.abrir, Qt::LeftButton);
        b.l.texto = "UNO";
        QTest::mouseClick(b.ADICIONAR, Qt::LeftButton);

        MessageFile other;
        QVERIFY(other.open(path).ok());
        QVERIFY(other.write(2, lumivel::test::texto(1, 1, "DOS", '1', 2)).ok());
        QTRY_COMPARE(b.inputs(), (QStringList{"1", "2"}));
        QVERIFY(other.replaceAll({lumivel::test::texto(1, 1, "DOS", '1', 1)}).ok());
        QTRY_COMPARE(b.inputs(), (QStringList{"1"}));
        QVERIFY(other.write(2, lumivel::test::texto(1, 1, "TRES", '1', 2)).ok());
        QTRY_COMPARE(b.inputs(), (QStringList{"1", "2"}));

        b.l.texto = "CUATRO";
        QTest::mouseClick(b.ADICIONAR, Qt::LeftButton);
        QCOMPARE(b.inputs(), (QStringList{"1", "2", "3"}));
        QCOMPARE(fs::file_size(path), std::uintmax_t{3 * 137});
        QVERIFY(b.d.shownBoxes.empty());
    }
};

QTEST_MAIN(StoreControllerTest)
#include "test_store_controller.moc"
