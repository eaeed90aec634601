// SPDX-License-Identifier: GPL-3.0-or-later
// Every menu item and toolbar button of the main window reaches its own handler, told apart by
// what each visibly does: the file dialog it asks for, the window or box it opens, the mode
// and sign it leaves.
#include "appearance/web_page.hpp"
#include "display/scripted_dialogs.hpp"
#include "support/find_control.hpp"
#include "support/main_window.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form1.hpp"
#include "windows/form2.hpp"
#include "windows/form3.hpp"
#include "windows/form5.hpp"
#include "windows/messages_window.hpp"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace lumivel;
using lumivel::test::control;
using lumivel::test::litCount;

namespace {

QString newestWindow(const QWidgetList& before) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!before.contains(widget) && widget->isVisible()) {
            return widget->metaObject()->className();
        }
    }
    return {};
}

} // namespace

class MainWindowRoutesTest : public QObject {
    Q_OBJECT
  private slots:
    void everyRouteRunsItsHandler_data() {
        QTest::addColumn<QString>("route");  // "menu:NAME" or "button:NAME"
        QTest::addColumn<bool>("drawFirst"); // drawing mode with four LEDs lit, a message listed
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* route, bool drawFirst, const char* expected) {
            QTest::newRow(route) << route << drawFirst << expected;
        };
        const char* open = "file |Mensajes del Lumivel (*.men)";
        const char* save = "file |mensajes del lumivel (*.men)";
        row("menu:opabrir", false, open);
        row("button:abrir", false, open);
        row("menu:opguardar", false, save);
        row("button:guardar", false, save);
        row("menu:importImage", false,
            "file Importar imagen|Imágenes (*.png *.bmp *.gif *.jpg *.jpeg)");
        row("menu:exportImage", true, "file Exportar imagen|Imagen PNG (*.png)");
        row("menu:exportAnimation", true, "file Exportar animación|Animación GIF (*.gif)");
        row("menu:opnuevo", true, "listed 0");
        row("button:nuevo", true, "listed 0");
        row("menu:opsalir", false, "closed");
        row("menu:opconfiguracion", false, "window lumivel::Form5");
        row("button:configurar", false, "window lumivel::Form5");
        row("menu:openviar", false, "window lumivel::Form1");
        row("button:serial", false, "window lumivel::Form1");
        row("menu:opacerdade", false, "window lumivel::Form2");
        row("menu:opmensajes", false, "window lumivel::MessagesWindow");
        row("menu:textToPicture", false, "window lumivel::TextToPictureDialog");
        row("menu:opayuda", false, "web page");
        row("menu:WEB", false, "web page");
        row("menu:opgrafico", false, "mode 0 lit 0");
        row("button:Option1_0", false, "mode 0 lit 0");
        row("button:pintura", true, "mode 0 lit 512");
        row("button:Bomba", true, "mode 0 lit 0");
        row("button:invertir", true, "mode 0 lit 508");
        // A drawn picture does not stay on the sign in the text mode: it shows the (empty) text.
        row("menu:optexto", true, "mode 1 lit 0 text ");
        row("button:Option1_1", true, "mode 1 lit 0 text ");
    }
    void everyRouteRunsItsHandler() {
        QFETCH(QString, route);
        QFETCH(bool, drawFirst);
        QFETCH(QString, expected);
        ScriptedDialogs dialogs;
        auto* window = new Form3(&dialogs);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto* pic = control<SignWidget>(*window, "Pic");
        if (drawFirst) {
            control<QAction>(*window, "opgrafico")->trigger();
            for (const QPoint led : {QPoint(6, 6), QPoint(18, 18), QPoint(30, 30), QPoint(42, 6)}) {
                QTest::mouseClick(pic, Qt::LeftButton, {}, led);
            }
            control<QPushButton>(*window, "ADICIONAR")->click();
            QCOMPARE(litCount(*pic), 4);
        }
        dialogs.replies.assign(4, Answer::No); // nothing kept when a route asks
        const QWidgetList before = QApplication::topLevelWidgets();
        // A modal dialog is seen and closed, so the route returns.
        QString modal;
        QTimer::singleShot(0, this, [&modal] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                modal = dialog->metaObject()->className();
                dialog->reject();
            }
        });
        const QString name = route.section(':', 1);
        if (route.startsWith("menu:")) {
            control<QAction>(*window, name)->trigger();
        } else {
            control<QPushButton>(*window, name)->click();
        }

        QString seen;
        if (expected.startsWith("file ")) {
            QVERIFY(!dialogs.fileDialogs.empty());
            const FileDialogOptions& asked = dialogs.fileDialogs.back();
            seen = "file " + QString::fromStdString(asked.title) + "|" +
                   (asked.filters.empty() ? QString() : QString::fromStdString(asked.filters[0]));
        } else if (expected.startsWith("window ")) {
            seen = "window " + (modal.isEmpty() ? newestWindow(before) : modal);
        } else if (expected == "web page") {
            QVERIFY(!dialogs.shownBoxes.empty());
            const bool names =
                dialogs.shownBoxes.back().texto.ends_with(webPagePath(programDataFolder()));
            seen = names ? "web page" : QString::fromStdString(dialogs.shownBoxes.back().texto);
        } else if (expected == "closed") {
            seen = window->isVisible() ? "open" : "closed";
        } else if (expected.startsWith("listed ")) {
            seen = QString("listed %1").arg(control<QListWidget>(*window, "Lstcodigo")->count());
        } else {
            seen = QString("mode %1 lit %2").arg(window->state().option1).arg(litCount(*pic));
            if (expected.contains(" text ")) {
                seen += " text " + control<QLineEdit>(*window, "Text1")->text();
            }
        }
        QCOMPARE(seen, expected);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!before.contains(widget)) {
                widget->close();
            }
        }
        dialogs.replies.assign(4, Answer::No);
        window->close();
        delete window;
    }
};

QTEST_MAIN(MainWindowRoutesTest)
#include "test_main_window_routes.moc"
