#include "display/scripted_dialogs.hpp"
#include "session/lumivel.hpp"
#include "support/find_control.hpp"
#include "ui/icon_box.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form3.hpp"
#include "windows/playback_controller.hpp"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace lumivel;
using lumivel::test::control;

namespace {

// The window makes its scratch message file in the system's temporary folder; this test
// gives it one of its own, removed when the test ends.
const QTemporaryDir privateTemp;
[[maybe_unused]] const bool privateTempSet = qputenv("TMPDIR", privateTemp.path().toLocal8Bit());

// Which of the controls that depend on the mode can be used: enabled and shown.
QStringList usable(const Form3& form) {
    QStringList names;
    for (const char* name : {"Text1",     "Opletra_0", "Opletra_3", "op_mostrar_0", "op_mostrar_2",
                             "lapiz",     "goma",      "pintura",   "Bomba",        "invertir",
                             "picmenu_3", "picmenu_4", "picmenu_5", "picmenu_6",    "picmenu_7",
                             "mayuscula", "picmenu_8", "ELIMINAR",  "Play",         "picmenu_9"}) {
        const QWidget* widget = control(form, name);
        if (widget->isEnabled() && widget->isVisible()) {
            names << name;
        }
    }
    return names;
}

} // namespace

class Form3Test : public QObject {
    Q_OBJECT
  private slots:
    void iconBoxesLieOverTheirButtons() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const std::array<const char*, 13> debajo = {
            "nuevo",    "abrir",     "guardar", "lapiz",      "goma",      "pintura", "Bomba",
            "invertir", "mayuscula", "Play",    "configurar", "refrescar", "serial"};
        for (int i = 0; i < 13; ++i) {
            IconBox* caja = picmenu(form, i);
            QVERIFY(button(form, debajo[i])->geometry().contains(caja->geometry().center()));
            if (caja->isVisible()) {
                QCOMPARE(caja->parentWidget()->childAt(caja->geometry().center()),
                         static_cast<QWidget*>(caja));
            }
        }
    }

    void modeSwitchSetsItsControlsAndKeepsTheRest() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // Controls outside the table keep whatever state they had.
        button(form, "ELIMINAR")->setEnabled(false);

        clic(option(form, "Option1", 0));
        QCOMPARE(form.estado().option1, 0);
        QVERIFY(option(form, "Option1", 0)->isChecked());
        QVERIFY(Text1(form)->text().isEmpty());
        QCOMPARE(columnas(form), Columnas{});
        // The pencil is chosen, so its button is the one tool not offered.
        const QStringList drawingMode = {"goma",      "pintura",   "Bomba",     "invertir",
                                         "picmenu_3", "picmenu_4", "picmenu_5", "picmenu_6",
                                         "picmenu_7", "Play",      "picmenu_9"};
        QCOMPARE(usable(form), drawingMode);

        // Choosing the eraser is mirrored once the state says so.
        form.estado().tool = DrawingTool::Eraser;
        form.showControls();
        QCOMPARE(usable(form), QStringList{"lapiz"} + drawingMode.mid(1));

        action(form, "optexto")->trigger();
        QCOMPARE(form.estado().option1, 1);
        QVERIFY(option(form, "Option1", 1)->isChecked());
        QCOMPARE(usable(form),
                 QStringList({"Text1", "Opletra_0", "Opletra_3", "op_mostrar_0", "op_mostrar_2",
                              "mayuscula", "picmenu_8", "Play", "picmenu_9"}));

        // "Grafico" does what the drawing button does.
        action(form, "opgrafico")->trigger();
        QCOMPARE(form.estado().option1, 0);
    }

    void iconBoxAndMenuRunTheButtonsHandler() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QSignalSpy abrir(button(form, "abrir"), &QPushButton::clicked);
        QSignalSpy nuevo(button(form, "nuevo"), &QPushButton::clicked);
        QSignalSpy configurar(button(form, "configurar"), &QPushButton::clicked);
        button(form, "abrir")->setEnabled(false); // runs even when the button is disabled
        clic(picmenu(form, 1));
        QCOMPARE(abrir.count(), 1);
        action(form, "opabrir")->trigger();
        QCOMPARE(abrir.count(), 2);
        clic(picmenu(form, 0));
        action(form, "opnuevo")->trigger();
        QCOMPARE(nuevo.count(), 2);
        action(form, "opconfiguracion")->trigger();
        clic(picmenu(form, 10));
        QCOMPARE(configurar.count(), 2);

        // In text mode the pencil's icon box is hidden and disabled: it gets no clicks.
        QSignalSpy lapiz(button(form, "lapiz"), &QPushButton::clicked);
        clic(picmenu(form, 3));
        QCOMPARE(lapiz.count(), 0);
        clic(option(form, "Option1", 0));
        clic(picmenu(form, 3));
        QCOMPARE(lapiz.count(), 1);
    }

    void playSimularAndItsIconBoxRefuseAnEmptyText() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        clic(option(form, "Option1", 0)); // drawing mode empties the text
        clic(button(form, "Play"));
        action(form, "opsimular")->trigger();
        clic(picmenu(form, 9));
        QCOMPARE(dialogs.mostradas.size(), std::size_t{3});
        for (const MessageBoxSpec& caja : dialogs.mostradas) {
            QCOMPARE(caja.title, std::string("No hay Mensaje"));
        }
        QVERIFY(!playing(form));
    }

    void effectPlaysWithInputBlocked() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        clic(option(form, "op_mostrar", 1)); // "Por Fila"
        QCOMPARE(form.estado().tipopresentacion, std::int16_t{2});
        const Columnas inicial = columnas(form);
        QSignalSpy modo(option(form, "Option1", 0), &QAbstractButton::clicked);
        QSignalSpy configurar(button(form, "configurar"), &QPushButton::clicked);
        bool durante = false;
        Columnas enLaPausa{};
        QTimer::singleShot(1000, &form, [&] {
            durante = playing(form);
            enLaPausa = columnas(form); // the hold shows the whole text
            clic(option(form, "Option1", 0));
            clic(picmenu(form, 10));
            QTest::keyClicks(Text1(form), "xyz");
            QTest::keyClick(&form, Qt::Key_O, Qt::AltModifier);
        });
        QElapsedTimer reloj;
        reloj.start();
        clic(button(form, "Play"));
        QVERIFY(reloj.elapsed() >= 3400);
        QVERIFY(durante);
        QCOMPARE(enLaPausa, inicial);
        QCOMPARE(modo.count(), 0);
        QCOMPARE(configurar.count(), 0);
        QCOMPARE(form.estado().option1, 1);
        QCOMPARE(Text1(form)->text(), QStringLiteral(" LED LUMIVEL"));
        QCOMPARE(columnas(form), Columnas{}); // "Por Fila" ends dark
        QVERIFY(!playing(form));
        // Input works again afterwards.
        clic(picmenu(form, 10));
        QCOMPARE(configurar.count(), 1);
    }

    void resizeDuringAnEffectKeepsTheFrameShown() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const Columnas whole = columnas(form);
        clic(option(form, "op_mostrar", 2)); // "Por columna" draws the text column by column
        Columnas before{};
        Columnas after{};
        QTimer::singleShot(300, &form, [&] {
            before = columnas(form);
            QResizeEvent resize(form.size(), form.size());
            QApplication::sendEvent(&form, &resize);
            after = columnas(form);
            form.close();
        });
        clic(button(form, "Play"));
        QVERIFY(before != whole);
        QCOMPARE(after, before);
    }

    void textBoxHoldsWhatARecordStores() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QLineEdit* text = Text1(form);
        text->clear();
        QTest::keyClicks(text, QString(140, QLatin1Char('A')));
        QCOMPARE(text->text().size(), 130);
        QCOMPARE(form.estado().texto.size(), std::size_t{130});
        // A character outside the sign's code page shows as it will be stored, at once.
        text->clear();
        QTest::keyClicks(text, QStringLiteral("AB"));
        text->setCursorPosition(1);
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u0151"));
        QApplication::sendEvent(text, &key);
        QCOMPARE(text->text(), QStringLiteral("A?B"));
        QCOMPARE(text->cursorPosition(), 2);
        QCOMPARE(form.estado().texto, std::string("A?B"));
    }

    void closingDuringAnEffectStopsItAndCloses() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        clic(option(form, "op_mostrar", 2)); // "Por columna", 8 s
        QTimer::singleShot(300, &form, [&] { form.close(); });
        QElapsedTimer reloj;
        reloj.start();
        clic(button(form, "Play"));
        QVERIFY(reloj.elapsed() < 3000);
        QVERIFY(!form.isVisible());
        QVERIFY(!playing(form));
    }

    void walkingFigureFromTheMenu() {
        ScriptedDialogs dialogs;
        Form3 form(&dialogs);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        action(form, "opreloj")->trigger();
        Columnas esperado{};
        const std::array<int, 7> b = {0x7E, 0x81, 0x49, 0x81, 0x49, 0x81, 0x7E};
        std::copy(b.begin(), b.end(), esperado.begin() + 33);
        QCOMPARE(columnas(form), esperado);
        QCOMPARE(Text1(form)->text(), QStringLiteral(" LED LUMIVEL"));
    }

  private:
    static void clic(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
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

    using Columnas = std::array<int, 64>;
    static Columnas columnas(const Form3& form) {
        const SignWidget* pic = control<SignWidget>(form, "Pic");
        Columnas bytes{};
        for (int c = 0; c < 64; ++c) {
            bytes[c] = pic->shown().columnByte(c);
        }
        return bytes;
    }
};

QTEST_MAIN(Form3Test)
#include "test_form3.moc"
