// The "Mensajes" window lists the open file's messages, recalls them as Lstcodigo does and
// follows every change of the file.
#include "display/scripted_dialogs.hpp"
#include "presentation/editing_mode.hpp"
#include "support/file_bytes.hpp"
#include "support/find_control.hpp"
#include "support/message_fixture.hpp"
#include "windows/form3.hpp"
#include "windows/messages_window.hpp"

#include <QAction>
#include <QApplication>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace lumivel;
using lumivel::test::control;

namespace {

const QTemporaryDir privateTemp;
[[maybe_unused]] const bool privateTempSet =
    qputenv("XDG_STATE_HOME", privateTemp.path().toLocal8Bit());

// The one open "Mensajes" window; null when there is none.
MessagesWindow* messagesWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<MessagesWindow*>(widget); window && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

QStringList row(const QAbstractItemModel& model, int r) {
    QStringList cells;
    for (int c = 0; c < model.columnCount(); ++c) {
        cells << model.index(r, c).data().toString();
    }
    return cells;
}

void clickRow(QTableView* table, int r) {
    const QRect cell = table->visualRect(table->model()->index(r, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

class MessagesWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void listsRecallsAndFollowsTheFile() {
        const QString path = privateTemp.filePath("lista.men");
        {
            Lumivel writer;
            test::openWithMessages(writer, path,
                                   {test::texto(2, 2, "HOLA"), test::texto(1, 1, "FUERA", '0'),
                                    test::image(test::samplePicture())});
        }
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.openMessageFile(path);
        auto* list = control<QListWidget>(window, "Lstcodigo");
        const QPoint input = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, input);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, input);
        QVERIFY(messagesWindow() != nullptr);
        QTableView* table = messagesWindow()->table();
        const QAbstractItemModel& model = *table->model();
        QCOMPARE(messagesWindow()->windowTitle(), QString("Mensajes"));
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString() +
                     model.headerData(4, Qt::Horizontal).toString(),
                 QString("NúmeroTexto"));
        QCOMPARE(row(model, 0), (QStringList{"1", "Texto", "Por Fila", "5 x 7", "HOLA"}));
        QCOMPARE(row(model, 1), (QStringList{"2", "Gráfico", "", "", ""}));
        QCOMPARE(table->currentIndex().row(), 0);

        // The picture is drawn in the LED colour in force.
        const QImage rojo = model.index(1, 4).data(Qt::DecorationRole).value<QImage>();
        QVERIFY(!rojo.isNull());
        window.state().sign.rojo = 0;
        window.state().sign.azul = 255;
        QVERIFY(model.index(1, 4).data(Qt::DecorationRole).value<QImage>() != rojo);

        // Choosing a row recalls it into Text1 or onto the sign, and again when pressed again.
        auto* Text1 = control<QLineEdit>(window, "Text1");
        clickRow(table, 0);
        QCOMPARE(Text1->text(), QString("HOLA"));
        QCOMPARE(list->currentRow(), 0);
        QTest::keyClicks(Text1, "B");
        clickRow(table, 0);
        QCOMPARE(Text1->text(), QString("HOLA"));
        clickRow(table, 1);
        QCOMPARE(window.state().option1, kDrawingMode);
        QCOMPARE(window.state().sign.vector[2], std::int16_t{0xFF});
        list->setCurrentRow(0);
        QCOMPARE(table->currentIndex().row(), 0);

        // ADICIONAR, MODIFICAR and ELIMINAR in the main window.
        QTest::keyClicks(Text1, "B");
        control<QPushButton>(window, "MODIFICAR")->click();
        QCOMPARE(row(model, 0).last(), QString("HOLAB"));
        control<QPushButton>(window, "ADICIONAR")->click();
        QCOMPARE(row(model, 2), (QStringList{"3", "Texto", "Por Fila", "5 x 7", "HOLAB"}));
        clickRow(table, 1);
        control<QPushButton>(window, "ELIMINAR")->click();
        QCOMPARE(row(model, 1), (QStringList{"2", "Texto", "Por Fila", "5 x 7", "HOLAB"}));
        QCOMPARE(model.rowCount(), 2);

        // Another program adds a message.
        MessageFile other;
        QVERIFY(other.open(path.toStdString()).ok());
        QVERIFY(other.write(other.count() + 1, test::texto(3, 4, "OTRO", '1', 3)).ok());
        QTRY_COMPARE(model.rowCount(), 3);
        QCOMPARE(row(model, 2), (QStringList{"3", "Texto", "Por columna", "Negrita", "OTRO"}));

        // "Nuevo" starts an empty list; the menu item brings the same window forward.
        control<QPushButton>(window, "nuevo")->click();
        QCOMPARE(model.rowCount(), 0);
        control<QAction>(window, "opmensajes")->trigger();
        QCOMPARE(messagesWindow()->table(), table);
    }

    // Subir, Bajar and Duplicar keep the message selected and are undone byte for byte.
    void movesAndCopiesAreUndoableSteps() {
        const QString path = privateTemp.filePath("orden.men");
        {
            Lumivel writer;
            test::openWithMessages(writer, path,
                                   {test::texto(1, 1, "UNO"), test::texto(1, 1, "FUERA", '0'),
                                    test::texto(2, 2, "DOS")});
        }
        const std::string before = readBytes(path.toStdString());
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        window.show();
        window.openMessageFile(path);
        control<QAction>(window, "opmensajes")->trigger();
        QTableView* table = messagesWindow()->table();
        clickRow(table, 0);
        control<QPushButton>(*messagesWindow(), "bajar")->click();
        QCOMPARE(row(*table->model(), 1).first() + row(*table->model(), 1).last(), QString("2UNO"));
        QCOMPARE(table->currentIndex().row(), 1);
        QCOMPARE(readBytes(path.toStdString()), test::record(1, 2, 2, "DOS") +
                                                    before.substr(137, 137) +
                                                    test::record(2, 1, 1, "UNO"));
        control<QPushButton>(*messagesWindow(), "bajar")->click(); // already the last
        control<QPushButton>(*messagesWindow(), "subir")->click();
        QCOMPARE(readBytes(path.toStdString()), before);
        control<QPushButton>(*messagesWindow(), "duplicar")->click();
        QCOMPARE(table->model()->rowCount(), 3);
        QCOMPARE(table->currentIndex().row(), 2);
        QCOMPARE(control<QAction>(window, "undo")->text(), QString("Deshacer duplicar mensaje"));
        control<QAction>(window, "undo")->trigger();
        control<QAction>(window, "undo")->trigger();
        control<QAction>(window, "undo")->trigger();
        QCOMPARE(readBytes(path.toStdString()), before);
        QCOMPARE(table->model()->rowCount(), 2);
        QVERIFY(dialogs.shownBoxes.empty());

        // The menu's last items export the recalled message; a failure is shown, not hidden.
        auto* animation = control<QAction>(window, "exportAnimation");
        QCOMPARE(
            qobject_cast<QMenu*>(animation->associatedObjects().constFirst())->actions().last(),
            animation);
        clickRow(table, 0);
        const QString png = privateTemp.filePath("uno.png");
        const QString gif = privateTemp.filePath("uno.gif");
        dialogs.files = {png.toStdString(), gif.toStdString(),
                         privateTemp.filePath("no/hay.gif").toStdString()};
        control<QAction>(window, "exportImage")->trigger();
        animation->trigger();
        QCOMPARE(dialogs.fileDialogs.back().filters,
                 std::vector<std::string>{"Animación GIF (*.gif)"});
        QCOMPARE(QImage(png).pixel(6, 6 + 12), qRgb(220, 220, 220));
        QVERIFY(QImageReader(gif).imageCount() > 1);
        animation->trigger();
        QCOMPARE(dialogs.shownBoxes.size(), std::size_t{1});
        QCOMPARE(dialogs.shownBoxes[0].title, std::string("Error de archivo"));
    }
};

QTEST_MAIN(MessagesWindowTest)
#include "test_messages_window.moc"
