#include "session/lumivel.hpp"
#include "display/scripted_dialogs.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form3.hpp"
#include "ui/icon_box.hpp"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace lumivel;

namespace {

QStringList textosDelMenu(const QList<QAction*>& acciones) {
    QStringList textos;
    for (const QAction* accion : acciones) {
        textos << (accion->isSeparator() ? QStringLiteral("-") : accion->text());
    }
    return textos;
}

QMenu* submenu(Form3& form, const QString& texto) {
    for (QAction* accion : form.menuBar()->actions()) {
        if (accion->text() == texto) {
            return accion->menu();
        }
    }
    return nullptr;
}

void clic(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

} // namespace

class Form3Test : public QObject {
    Q_OBJECT
  private slots:
    void toolbarControlsSitAtTheirDesignPositions_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QRect>("posicion");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("nuevo") << "nuevo" << QRect(18, 8, 39, 25)
                               << "Abrir un Nuevo Archivo Mensaje o Grafico";
        QTest::newRow("Play") << "Play" << QRect(536, 8, 41, 25) << "Ejecuta la Simulacion";
        QTest::newRow("serial") << "serial" << QRect(728, 8, 41, 25)
                                << "Transmitir la informacion al Lumivel Electronico";
        QTest::newRow("configurar") << "configurar" << QRect(600, 8, 41, 25)
                                    << "Configura el color y personalise su lumive electronico";
        QTest::newRow("Option1 0")
            << "Option1_0" << QRect(376, 8, 41, 25) << "Havilita la opcion de Dibujo";
        QTest::newRow("picmenu 0") << "picmenu_0" << QRect(28, 12, 16, 16) << "";
        QTest::newRow("picmenu 12") << "picmenu_12" << QRect(736, 8, 24, 24) << "";
        QTest::newRow("ADICIONAR") << "ADICIONAR" << QRect(392, 216, 81, 25)
                                   << "El MENSAJE escrito o la IMAGEN se adicionaran creando un "
                                      "nuevo numero de mensaje";
        QTest::newRow("Reloj, below the client area")
            << "Reloj" << QRect(8, 304, 33, 33) << "Muestra grafico en movimiento";
    }
    void toolbarControlsSitAtTheirDesignPositions() {
        QFETCH(QString, nombre);
        QFETCH(QRect, posicion);
        QFETCH(QString, tooltip);
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        auto* control = form.findChild<QWidget*>(nombre);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), posicion);
        QCOMPARE(control->toolTip(), tooltip);
    }

    void iconBoxesLieOverTheirButtons() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const std::array<QPushButton*, 13> debajo = {
            form.nuevo(),      form.abrir(),     form.guardar(),  form.lapiz(),     form.goma(),
            form.pintura(),    form.Bomba(),     form.invertir(), form.mayuscula(), form.Play(),
            form.configurar(), form.refrescar(), form.serial()};
        for (int i = 0; i < 13; ++i) {
            IconBox* caja = form.picmenu(i);
            QVERIFY(debajo[i]->geometry().contains(caja->geometry().center()));
            if (caja->isVisible()) {
                QCOMPARE(caja->parentWidget()->childAt(caja->geometry().center()),
                         static_cast<QWidget*>(caja));
            }
        }
    }

    void menuBarAsDesigned() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        QCOMPARE(textosDelMenu(form.menuBar()->actions()),
                 QStringList({"&Archivo", "&Opciones", "&Configuracion", "&Ejecucion",
                              "Cambiar Skin", "A&yuda", "Acerca de...", "VIsitar WEB"}));
        QCOMPARE(textosDelMenu(submenu(form, "&Archivo")->actions()),
                 QStringList({"&Nuevo", "A&brir", "&Guardar", "-", "Salir"}));
        QCOMPARE(textosDelMenu(submenu(form, "&Opciones")->actions()),
                 QStringList({"Texto", "Grafico"}));
        const QStringList ejecucion = textosDelMenu(submenu(form, "&Ejecucion")->actions());
        QCOMPARE(ejecucion.mid(0, 3), QStringList({"Simular", "-", "Enviar"}));
        QVERIFY(ejecucion.contains(form.opreloj()->text()));
        QCOMPARE(textosDelMenu(submenu(form, "Cambiar Skin")->actions()),
                 QStringList({"B-Studio", "Galaxy", "Green", "Mac", "Media", "Metallic", "Paper",
                              "TopSecret", "Web-II", "Zhelezo"}));
        for (int i = 0; i < Form3::kSkins; ++i) {
            QVERIFY(form.MNUCamb(i) != nullptr);
        }
    }

    void modeSwitchSetsItsControlsAndKeepsTheRest() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // Controls outside the table keep whatever state they had.
        form.ELIMINAR()->setEnabled(false);
        form.serial()->setEnabled(false);

        clic(form.Option1(0));
        QCOMPARE(form.estado().option1, 0);
        QVERIFY(form.Option1(0)->isChecked());
        QVERIFY(form.Text1()->text().isEmpty());
        QVERIFY(!form.Text1()->isEnabled());
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!form.op_mostrar(i)->isEnabled());
        }
        for (int i = 0; i < 4; ++i) {
            QVERIFY(!form.Opletra(i)->isEnabled());
        }
        QVERIFY(!form.lapiz()->isEnabled()); // the pencil is chosen
        QVERIFY(form.goma()->isEnabled());
        for (QPushButton* boton : {form.pintura(), form.Bomba(), form.invertir()}) {
            QVERIFY(boton->isEnabled());
        }
        for (int i = 3; i <= 7; ++i) {
            QVERIFY(form.picmenu(i)->isEnabled());
            QVERIFY(form.picmenu(i)->isVisible());
        }
        QVERIFY(!form.mayuscula()->isEnabled());
        QVERIFY(!form.picmenu(8)->isVisible());
        QVERIFY(!form.picmenu(8)->isEnabled());
        QVERIFY(!form.ELIMINAR()->isEnabled());
        QVERIFY(!form.serial()->isEnabled());
        QVERIFY(form.Play()->isEnabled());
        QVERIFY(form.picmenu(9)->isVisible());
        for (int c = 0; c < 64; ++c) {
            QCOMPARE(form.Pic()->shown().columnByte(c), std::uint8_t{0});
        }

        // Choosing the eraser is mirrored once the state says so.
        form.estado().herramienta = Herramienta::Goma;
        form.reflejar();
        QVERIFY(form.lapiz()->isEnabled());
        QVERIFY(!form.goma()->isEnabled());

        form.optexto()->trigger();
        QCOMPARE(form.estado().option1, 1);
        QVERIFY(form.Option1(1)->isChecked());
        QVERIFY(form.Text1()->isEnabled());
        for (QPushButton* boton :
             {form.lapiz(), form.goma(), form.pintura(), form.Bomba(), form.invertir()}) {
            QVERIFY(!boton->isEnabled());
        }
        for (int i = 3; i <= 7; ++i) {
            QVERIFY(!form.picmenu(i)->isVisible());
        }
        QVERIFY(form.mayuscula()->isEnabled());
        QVERIFY(form.picmenu(8)->isVisible());
        QVERIFY(!form.ELIMINAR()->isEnabled());

        // "Grafico" does what the drawing button does.
        form.opgrafico()->trigger();
        QCOMPARE(form.estado().option1, 0);
    }

    void iconBoxAndMenuRunTheButtonsHandler() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QSignalSpy abrir(form.abrir(), &QPushButton::clicked);
        QSignalSpy nuevo(form.nuevo(), &QPushButton::clicked);
        QSignalSpy configurar(form.configurar(), &QPushButton::clicked);
        form.abrir()->setEnabled(false); // runs even when the button is disabled
        clic(form.picmenu(1));
        QCOMPARE(abrir.count(), 1);
        form.opabrir()->trigger();
        QCOMPARE(abrir.count(), 2);
        clic(form.picmenu(0));
        form.opnuevo()->trigger();
        QCOMPARE(nuevo.count(), 2);
        form.opconfiguracion()->trigger();
        clic(form.picmenu(10));
        QCOMPARE(configurar.count(), 2);

        // In text mode the pencil's icon box is hidden and disabled: it gets no clicks.
        QSignalSpy lapiz(form.lapiz(), &QPushButton::clicked);
        clic(form.picmenu(3));
        QCOMPARE(lapiz.count(), 0);
        clic(form.Option1(0));
        clic(form.picmenu(3));
        QCOMPARE(lapiz.count(), 1);
    }

    void playSimularAndItsIconBoxRefuseAnEmptyText() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        clic(form.Option1(0)); // drawing mode empties the text
        clic(form.Play());
        form.opsimular()->trigger();
        clic(form.picmenu(9));
        QCOMPARE(dialogs.mostradas.size(), std::size_t{3});
        for (const CajaMensaje& caja : dialogs.mostradas) {
            QCOMPARE(caja.titulo, std::string("No hay Mensaje"));
        }
        QVERIFY(!form.reproduciendo());
    }

    void effectPlaysWithInputBlocked() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        clic(form.op_mostrar(1)); // "Por Fila"
        QCOMPARE(form.estado().tipopresentacion, std::int16_t{2});
        const Columnas inicial = columnas(form);
        QSignalSpy modo(form.Option1(0), &QAbstractButton::clicked);
        QSignalSpy configurar(form.configurar(), &QPushButton::clicked);
        bool durante = false;
        Columnas enLaPausa{};
        QTimer::singleShot(1000, &form, [&] {
            durante = form.reproduciendo();
            enLaPausa = columnas(form); // the hold shows the whole text
            clic(form.Option1(0));
            clic(form.picmenu(10));
            QTest::keyClicks(form.Text1(), "xyz");
            QTest::keyClick(&form, Qt::Key_O, Qt::AltModifier);
        });
        QElapsedTimer reloj;
        reloj.start();
        clic(form.Play());
        QVERIFY(reloj.elapsed() >= 3400);
        QVERIFY(durante);
        QCOMPARE(enLaPausa, inicial);
        QCOMPARE(modo.count(), 0);
        QCOMPARE(configurar.count(), 0);
        QCOMPARE(form.estado().option1, 1);
        QCOMPARE(form.Text1()->text(), QStringLiteral(" LED LUMIVEL"));
        QCOMPARE(columnas(form), Columnas{}); // "Por Fila" ends dark
        QVERIFY(!form.reproduciendo());
        // Input works again afterwards.
        clic(form.picmenu(10));
        QCOMPARE(configurar.count(), 1);
    }

    void closingDuringAnEffectStopsItAndCloses() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        clic(form.op_mostrar(2)); // "Por columna", 8 s
        QTimer::singleShot(300, &form, [&] { form.close(); });
        QElapsedTimer reloj;
        reloj.start();
        clic(form.Play());
        QVERIFY(reloj.elapsed() < 3000);
        QVERIFY(!form.isVisible());
        QVERIFY(!form.reproduciendo());
    }

    void walkingFigureFromTheMenu() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.opreloj()->trigger();
        Columnas esperado{};
        const std::array<int, 7> b = {0x7E, 0x81, 0x49, 0x81, 0x49, 0x81, 0x7E};
        std::copy(b.begin(), b.end(), esperado.begin() + 33);
        QCOMPARE(columnas(form), esperado);
        QCOMPARE(form.Text1()->text(), QStringLiteral(" LED LUMIVEL"));
    }

    void colorbotonesColoursTheToolbarOnly() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.colorbotones();
        const QColor color = form.Skin1().color();
        std::vector<QWidget*> coloreados = {
            form.nuevo(),      form.abrir(),     form.guardar(),   form.lapiz(),
            form.goma(),       form.pintura(),   form.Bomba(),     form.invertir(),
            form.Option1(0),   form.Option1(1),  form.mayuscula(), form.Play(),
            form.configurar(), form.refrescar(), form.serial(),    form.Picture1()};
        for (int i = 0; i < 13; ++i) {
            coloreados.push_back(form.picmenu(i));
        }
        QCOMPARE(coloreados.size(), std::size_t{29});
        for (QWidget* control : coloreados) {
            QCOMPARE(Form3::colorDeFondo(control), color);
        }
        for (QWidget* control : std::initializer_list<QWidget*>{
                 form.Pic(), form.Text1(), form.Lstcodigo(), form.ADICIONAR(), form.Opletra(0)}) {
            QVERIFY(!Form3::colorDeFondo(control).isValid());
        }
    }

  private:
    using Columnas = std::array<int, 64>;
    static Columnas columnas(Form3& form) {
        Columnas bytes{};
        for (int c = 0; c < 64; ++c) {
            bytes[c] = form.Pic()->shown().columnByte(c);
        }
        return bytes;
    }
};

QTEST_MAIN(Form3Test)
#include "test_form3.moc"
