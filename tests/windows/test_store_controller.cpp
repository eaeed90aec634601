#include "display/scripted_dialogs.hpp"
#include "presentation/editing_mode.hpp"
#include "session/startup.hpp"
#include "ui/sign_widget.hpp"
#include "windows/store_controller.hpp"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <filesystem>

#include "support/message_fixture.hpp"

using namespace lumivel;
namespace fs = std::filesystem;

namespace {

struct Banco {
    QWidget ventana;
    SignWidget* Pic = new SignWidget(&ventana);
    QListWidget* Lstcodigo = new QListWidget(&ventana);
    QPushButton* ADICIONAR = new QPushButton("ADICIONAR", &ventana);
    QPushButton* ELIMINAR = new QPushButton("ELIMINAR", &ventana);
    QPushButton* MODIFICAR = new QPushButton("MODIFICAR", &ventana);
    QPushButton* abrir = new QPushButton(&ventana);
    QPushButton* guardar = new QPushButton(&ventana);
    QPushButton* nuevo = new QPushButton(&ventana);
    QLabel* panel0 = new QLabel("inicio", &ventana);
    Lumivel l;
    ScriptedDialogs d;
    int reflejado = 0;
    StoreController controller{
        {Lstcodigo, ADICIONAR, ELIMINAR, MODIFICAR, abrir, guardar, nuevo, panel0}, l, d, [this] {
            ++reflejado;
        }};

    Banco() {
        l.sign.setSurface(Pic);
        startUp(l, ".");
        Lstcodigo->setGeometry(0, 110, 60, 200);
        ADICIONAR->move(100, 110);
        ventana.resize(800, 320);
        ventana.show();
    }
    QStringList entradas() const {
        QStringList e;
        for (int i = 0; i < Lstcodigo->count(); ++i) {
            e << Lstcodigo->item(i)->text();
        }
        return e;
    }
    void pulsarEntrada(int row) {
        const QRect r = Lstcodigo->visualItemRect(Lstcodigo->item(row));
        QTest::mouseClick(Lstcodigo->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    }
};

} // namespace

class StoreControllerTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

  private slots:
    void initTestCase() { qputenv("XDG_STATE_HOME", dir_.path().toUtf8()); }

    void buttonsAddAndTheListRecalls() {
        Banco b;
        QVERIFY(QTest::qWaitForWindowExposed(&b.ventana));
        const std::string ruta = (fs::path(dir_.path().toStdString()) / "b.men").string();
        b.d.archivos = {ruta};
        QTest::mouseClick(b.abrir, Qt::LeftButton);
        QCOMPARE(b.panel0->text(), QString::fromStdString(ruta));

        b.l.texto = "UNO";
        QTest::mouseClick(b.ADICIONAR, Qt::LeftButton);
        b.l.texto = "DOS";
        QTest::mouseClick(b.ADICIONAR, Qt::LeftButton);
        QCOMPARE(b.entradas(), (QStringList{"1", "2"}));
        QCOMPARE(b.Lstcodigo->currentRow(), -1);
        QVERIFY(b.reflejado >= 3);

        b.pulsarEntrada(0);
        QCOMPARE(b.l.texto, std::string("UNO"));
        // Pressing the selected entry again recalls it again.
        b.l.texto = "editado";
        b.pulsarEntrada(0);
        QCOMPARE(b.l.texto, std::string("UNO"));

        QTest::mouseClick(b.ELIMINAR, Qt::LeftButton);
        QCOMPARE(b.entradas(), (QStringList{"1"}));
        QCOMPARE(fs::file_size(ruta), std::uintmax_t{274});
        QVERIFY(b.d.mostradas.empty());

        // Nothing selected now: MODIFICAR only explains.
        QTest::mouseClick(b.MODIFICAR, Qt::LeftButton);
        QCOMPARE(b.d.mostradas.size(), std::size_t{1});
        QCOMPARE(b.d.mostradas[0].title, std::string("No se ha seleccionado"));
    }

    void leavingWithAScratchFileAsksFirst() {
        Banco b;
        QVERIFY(QTest::qWaitForWindowExposed(&b.ventana));
        QTest::mouseClick(b.ADICIONAR, Qt::LeftButton);
        QVERIFY(b.l.isScratchFile);
        QCOMPARE(b.panel0->text(), QString("Mensajes sin guardar"));
        b.d.respuestas = {Answer::Cancel};
        QVERIFY(!b.controller.confirmExitOrStay());
        QVERIFY(b.l.archivo.isOpen());
        b.d.respuestas = {Answer::No};
        QVERIFY(b.controller.confirmExitOrStay());
        QVERIFY(!b.l.archivo.isOpen());
        QCOMPARE(b.d.mostradas.size(), std::size_t{2});
    }

    // Another program adds, then deletes (replacing the file): the list follows both, and
    // the window's next add numbers after what the file holds.
    void changesBehindTheWindowsBackShowInTheList() {
        Banco b;
        const std::string ruta = (fs::path(dir_.path().toStdString()) / "compartido.men").string();
        b.d.archivos = {ruta};
        QTest::mouseClick(b.abrir, Qt::LeftButton);
        b.l.texto = "UNO";
        QTest::mouseClick(b.ADICIONAR, Qt::LeftButton);

        MessageFile otro;
        QVERIFY(otro.open(ruta).ok());
        QVERIFY(otro.write(2, lumivel::test::texto(1, 1, "DOS", '1', 2)).ok());
        QTRY_COMPARE(b.entradas(), (QStringList{"1", "2"}));
        QVERIFY(otro.replaceAll({lumivel::test::texto(1, 1, "DOS", '1', 1)}).ok());
        QTRY_COMPARE(b.entradas(), (QStringList{"1"}));
        QVERIFY(otro.write(2, lumivel::test::texto(1, 1, "TRES", '1', 2)).ok());
        QTRY_COMPARE(b.entradas(), (QStringList{"1", "2"}));

        b.l.texto = "CUATRO";
        QTest::mouseClick(b.ADICIONAR, Qt::LeftButton);
        QCOMPARE(b.entradas(), (QStringList{"1", "2", "3"}));
        QCOMPARE(fs::file_size(ruta), std::uintmax_t{3 * 137});
        QVERIFY(b.d.mostradas.empty());
    }
};

QTEST_MAIN(StoreControllerTest)
#include "test_store_controller.moc"
