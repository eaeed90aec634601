// SPDX-License-Identifier: GPL-3.0-or-later
// The "Mensajes" window lists the open file's messages, recalls them as Lstcodigo does,
// follows every change of the file and rearranges it: drag and drop, moves, deletes.
#include "display/scripted_dialogs.hpp"
#include "presentation/editing_mode.hpp"
#include "support/file_bytes.hpp"
#include "support/find_control.hpp"
#include "support/main_window.hpp"
#include "support/message_fixture.hpp"
#include "windows/form3.hpp"
#include "windows/messages_window.hpp"

#include <QAction>
#include <QApplication>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QtTest>

#include <memory>

using namespace lumivel;
using lumivel::test::control;

namespace {

// Where the tests write their message files.
const QTemporaryDir filesFolder;

MessagesWindow* messagesWindow() {
    return test::shownWindow<MessagesWindow>();
}

QStringList row(const QAbstractItemModel& model, int r) {
    QStringList cells;
    for (int c = 0; c < model.columnCount(); ++c) {
        cells << model.index(r, c).data().toString();
    }
    return cells;
}

void clickRow(QTableView* table, int r, Qt::KeyboardModifiers modifiers = {}) {
    const QRect cell = table->visualRect(table->model()->index(r, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, cell.center());
}

// Each row's number and text, top to bottom: "1UNO".
QStringList order(const QAbstractItemModel& model) {
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        rows << row(model, r).first() + row(model, r).last();
    }
    return rows;
}

QList<int> selectedRows(const QTableView* table) {
    QList<int> rows;
    for (const QModelIndex& index : table->selectionModel()->selectedRows()) {
        rows << index.row();
    }
    std::ranges::sort(rows);
    return rows;
}

// What the view puts in a drag of these rows.
std::unique_ptr<QMimeData> dragOf(const QTableView* table, const QList<int>& rows) {
    QModelIndexList indexes;
    for (int r : rows) {
        for (int c = 0; c < table->model()->columnCount(); ++c) {
            indexes << table->model()->index(r, c);
        }
    }
    return std::unique_ptr<QMimeData>(table->model()->mimeData(indexes));
}

// Drops onto the top edge of row `target`, or below the last row when there is none.
void drop(QTableView* table, const QMimeData& data, int target) {
    const QAbstractItemModel& model = *table->model();
    const QPoint at = target < model.rowCount()
                          ? table->visualRect(model.index(target, 1)).topLeft() + QPoint(4, 1)
                          : QPoint(4, table->viewport()->height() - 2);
    // As in a real drag: Qt hands the drop only to the widget that took the drag in.
    QDragEnterEvent enter(at, Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(table->viewport(), &enter);
    QDragMoveEvent over(at, Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(table->viewport(), &over);
    QDropEvent release(at, Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(table->viewport(), &release);
}

// A file of the texts, with a deleted record after the first; its messages window open.
struct Opened {
    explicit Opened(const QString& name, const QStringList& texts)
        : path(filesFolder.filePath(name)) {
        {
            Lumivel writer;
            std::vector<tipomensaje> records;
            for (const QString& t : texts) {
                records.push_back(test::texto(1, 1, t.toStdString()));
            }
            records.insert(records.begin() + 1, test::texto(1, 1, "FUERA", '0'));
            test::openWithMessages(writer, path, records);
        }
        before = readBytes(path.toStdString());
        window.show();
        window.openMessageFile(path);
        control<QAction>(window, "opmensajes")->trigger();
        messages = messagesWindow();
        table = messages->table();
    }
    void undo() { control<QAction>(window, "undo")->trigger(); }
    QString undoText() { return control<QAction>(window, "undo")->text(); }
    void click(const char* button) { control<QPushButton>(*messages, button)->click(); }

    QString path;
    std::string before;
    ScriptedDialogs dialogs;
    Form3 window{&dialogs};
    MessagesWindow* messages = nullptr;
    QTableView* table = nullptr;
};

} // namespace

class MessagesWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void listsRecallsAndFollowsTheFile() {
        const QString path = filesFolder.filePath("lista.men");
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
        const QString path = filesFolder.filePath("orden.men");
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
        const QString png = filesFolder.filePath("uno.png");
        const QString gif = filesFolder.filePath("uno.gif");
        dialogs.files = {png.toStdString(), gif.toStdString(),
                         filesFolder.filePath("no/hay.gif").toStdString()};
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

    // A dragged row lands where it is dropped, renumbered, and stays chosen; several dragged
    // rows land together in their order. Each drop is one step.
    void dropsMoveMessagesAsOneStep() {
        Opened o("arrastre.men", {"A", "B", "C", "D"});
        const QAbstractItemModel& model = *o.table->model();
        clickRow(o.table, 0);
        drop(o.table, *dragOf(o.table, {0}), 2);
        QCOMPARE(order(model), (QStringList{"1B", "2A", "3C", "4D"}));
        QCOMPARE(o.table->currentIndex().row(), 1);
        QCOMPARE(selectedRows(o.table), QList<int>{1});
        QCOMPARE(o.undoText(), QString("Deshacer mover mensaje"));
        o.undo();
        QCOMPARE(readBytes(o.path.toStdString()), o.before);
        QCOMPARE(order(model), (QStringList{"1A", "2B", "3C", "4D"}));

        // Below the last row: to the end.
        drop(o.table, *dragOf(o.table, {1}), model.rowCount());
        QCOMPARE(order(model), (QStringList{"1A", "2C", "3D", "4B"}));
        o.undo();

        // One row from above the gap and one from below it.
        clickRow(o.table, 0);
        clickRow(o.table, 3, Qt::ControlModifier);
        QCOMPARE(selectedRows(o.table), (QList<int>{0, 3}));
        drop(o.table, *dragOf(o.table, {0, 3}), 2);
        QCOMPARE(order(model), (QStringList{"1B", "2A", "3D", "4C"}));
        QCOMPARE(selectedRows(o.table), (QList<int>{1, 2}));
        o.undo();
        QCOMPARE(readBytes(o.path.toStdString()), o.before);

        // A drag out of another file's list names messages of that file.
        const std::unique_ptr<QMimeData> foreign = dragOf(o.table, {0});
        foreign->setData(foreign->formats().constFirst(), "/otro/archivo.men\n1");
        drop(o.table, *foreign, 3);
        QCOMPARE(readBytes(o.path.toStdString()), o.before);
        QVERIFY(o.dialogs.shownBoxes.empty());
    }

    // Eliminar and Supr delete as ELIMINAR does: renumbered, announced, one step each.
    void eliminarAndSuprDeleteTheChosenMessage() {
        Opened o("eliminar.men", {"A", "B", "C"});
        const QAbstractItemModel& model = *o.table->model();
        clickRow(o.table, 1);
        o.click("eliminar");
        QCOMPARE(order(model), (QStringList{"1A", "2C"}));
        QCOMPARE(o.window.statusBar()->currentMessage(), QString("Mensaje 2 eliminado"));
        QCOMPARE(o.undoText(), QString("Deshacer eliminar mensaje"));
        o.undo();
        QCOMPARE(readBytes(o.path.toStdString()), o.before);

        clickRow(o.table, 0);
        QTest::keyClick(o.table, Qt::Key_Delete);
        QCOMPARE(order(model), (QStringList{"1B", "2C"}));
        o.undo();
        QCOMPARE(readBytes(o.path.toStdString()), o.before);
        QVERIFY(o.dialogs.shownBoxes.empty());
    }

    // Several chosen rows move together and go together, as one step.
    void severalRowsMoveAndGoTogether() {
        Opened o("varios.men", {"A", "B", "C", "D", "E"});
        const QAbstractItemModel& model = *o.table->model();
        clickRow(o.table, 0);
        clickRow(o.table, 1, Qt::ControlModifier);
        clickRow(o.table, 3, Qt::ControlModifier);
        o.click("bajar");
        QCOMPARE(order(model), (QStringList{"1C", "2A", "3B", "4E", "5D"}));
        QCOMPARE(selectedRows(o.table), (QList<int>{1, 2, 4}));
        o.click("subir");
        o.click("subir"); // at the top edge: stays
        QCOMPARE(readBytes(o.path.toStdString()), o.before);
        QCOMPARE(selectedRows(o.table), (QList<int>{0, 1, 3}));
        o.undo();
        QCOMPARE(order(model), (QStringList{"1C", "2A", "3B", "4E", "5D"}));
        o.undo();

        clickRow(o.table, 3);
        clickRow(o.table, 4, Qt::ControlModifier);
        o.click("bajar"); // at the bottom edge
        QCOMPARE(readBytes(o.path.toStdString()), o.before);
        clickRow(o.table, 1);
        clickRow(o.table, 3, Qt::ControlModifier);
        o.click("eliminar");
        QCOMPARE(order(model), (QStringList{"1A", "2C", "3E"}));
        QCOMPARE(o.window.statusBar()->currentMessage(), QString("2 mensajes eliminados"));
        QCOMPARE(o.undoText(), QString("Deshacer eliminar mensajes"));
        o.undo();
        QCOMPARE(readBytes(o.path.toStdString()), o.before);
        QVERIFY(o.dialogs.shownBoxes.empty());
    }

    void buttonsMatchTheMainWindowAndEscCloses() {
        Opened o("cerrar.men", {"A"});
        const QSize adicionar = control<QPushButton>(o.window, "ADICIONAR")->size();
        for (const char* name : {"subir", "bajar", "eliminar", "duplicar"}) {
            QCOMPARE(control<QPushButton>(*o.messages, name)->size(), adicionar);
        }
        const QPointer<MessagesWindow> messages = o.messages;
        QTest::keyClick(o.table, Qt::Key_Escape);
        QTRY_VERIFY(messages.isNull());
    }
};

QTEST_MAIN(MessagesWindowTest)
#include "test_messages_window.moc"
