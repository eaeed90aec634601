// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/editing_mode.hpp"
#include "presentation/presentation_choice.hpp"
#include "session/file_choice.hpp"
#include "session/message_list.hpp"
#include "session/startup.hpp"

#include "support/file_bytes.hpp"
#include "support/message_fixture.hpp"
#include "support/started_state.hpp"

#include <QtTest>

#include <filesystem>

using namespace lumivel;
using namespace lumivel::test;
namespace fs = std::filesystem;

namespace {

using List = std::vector<std::string>;

// The main window's message buttons on the started state.
struct Window : StartedState {
    void abrir(const fs::path& path) { QVERIFY(openMessageFile(l, path.string()).ok()); }
    void addText(const std::string& t, int presentacion = 0, int letra = 0) {
        selectOption1(l, kTextMode);
        selectOpMostrar(l, presentacion);
        selectOpletra(l, letra);
        changeText(l, t);
        ADICIONAR_Click(l, d);
    }
    void select(int numero) { QVERIFY(selectNumber(l, numero)); }
    void recall(int numero) {
        select(numero);
        Lstcodigo_Click(l, d, l.lstcodigoIndex);
    }
};

} // namespace

class MessageListTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    fs::path path(const std::string& name) const {
        return fs::path(dir_.path().toStdString()) / name;
    }
    fs::path temporal() const { return path("tmp"); }

  private slots:
    void initTestCase() {
        fs::create_directories(temporal());
        qputenv("XDG_STATE_HOME", QByteArray::fromStdString(temporal().string()));
    }

    // Deleting marks the record and renumbers the later ones in place; the file never shrinks.
    void addDeleteAndAddAgainAreByteExact() {
        Window v;
        const fs::path p = path("tres.men");
        v.abrir(p);
        v.addText("Uno", 1, 0);
        v.addText("Dos", 0, 3);
        v.addText("Tres", 2, 2);
        QCOMPARE(v.l.lstcodigo, (List{"1", "2", "3"}));
        QCOMPARE(v.l.lstcodigoIndex, -1);
        QCOMPARE(v.l.texto, std::string("Tres")); // adding leaves the editor as it was
        QCOMPARE(readBytes(p),
                 record(1, 2, 1, "Uno") + record(2, 1, 4, "Dos") + record(3, 3, 3, "Tres"));

        v.select(2);
        ELIMINAR_Click(v.l, v.d);
        QVERIFY(v.d.shownBoxes.empty());
        const std::string after =
            record(1, 2, 1, "Uno") + record(2, 1, 4, "Dos", '0') + record(2, 3, 3, "Tres");
        QCOMPARE(readBytes(p), after);
        QCOMPARE(v.l.lstcodigo, (List{"1", "2"}));
        QCOMPARE(v.l.texto, std::string());
        QCOMPARE(v.litCount(), 0);

        v.addText("Cuatro", 0, 0);
        QCOMPARE(readBytes(p), after + record(3, 1, 1, "Cuatro"));
        QCOMPARE(v.l.lstcodigo, (List{"1", "2", "3"}));

        for (int i = 0; i < 3; ++i) {
            v.select(1);
            ELIMINAR_Click(v.l, v.d);
        }
        QVERIFY(v.l.lstcodigo.empty());
        QCOMPARE(v.l.totalmensajes, std::int16_t{0});
        QCOMPARE(fs::file_size(p), std::uintmax_t{4 * 137});
        v.addText("c");
        QCOMPARE(recordAt(readBytes(p), 5).numero, std::int16_t{1});
        QCOMPARE(v.l.lstcodigo, (List{"1"}));
        QVERIFY(confirmExit(v.l, v.d)); // a named file leaves without a question
        QVERIFY(v.d.shownBoxes.empty());
    }

    // Text and picture come back exactly: mode, effect, font, and nothing of the sign before.
    void recallRestoresTheTextOrThePicture() {
        Window v;
        v.abrir(path("recuerdo.men"));
        v.addText("Por fila  ", 1, 2);
        selectOption1(v.l, kDrawingMode);
        v.draw(0, 0);
        v.draw(5, 7);
        v.draw(63, 3);
        const VisibleColumns drawing = v.visibleColumns();
        ADICIONAR_Click(v.l, v.d);
        QCOMPARE(v.l.mensaje.presentacion, std::int16_t{255});
        QCOMPARE(v.l.mensaje.letra, std::int16_t{255});

        v.recall(1);
        QCOMPARE(v.l.option1, kTextMode);
        QCOMPARE(v.l.tipopresentacion, std::int16_t{2});
        QCOMPARE(v.l.tipoletra, std::int16_t{3});
        QCOMPARE(v.l.opletra, 2);
        QVERIFY(v.l.refresco);
        QCOMPARE(v.l.texto, std::string("Por fila"));
        // Same text, other font: the sign must show the recalled font, not the old one.
        selectOpletra(v.l, 0);
        v.recall(1);
        QCOMPARE(v.visibleColumns(), composed("Por fila", 2));

        for (int mode : {kTextMode, kDrawingMode}) {
            selectOption1(v.l, mode);
            pintura_Click(v.l);
            v.recall(2);
            QCOMPARE(v.l.option1, kDrawingMode);
            QCOMPARE(v.visibleColumns(), drawing);
            QCOMPARE(v.l.sign.vector[5], std::int16_t{0x80});
            QCOMPARE(v.l.sign.vector[1], std::int16_t{0});
        }
    }

    // Without a selection, or in the other mode's editor, the buttons only explain.
    void modifyAndDeleteRefuseWhatTheyCannotDo() {
        Window v;
        const fs::path p = path("modificar.men");
        v.abrir(p);
        v.addText("texto");
        selectOption1(v.l, kDrawingMode);
        v.draw(1, 1);
        ADICIONAR_Click(v.l, v.d);
        const std::string before = readBytes(p);
        MODIFICAR_Click(v.l, v.d);
        ELIMINAR_Click(v.l, v.d);
        v.select(1); // a text, in the drawing mode
        MODIFICAR_Click(v.l, v.d);
        selectOption1(v.l, kTextMode);
        v.select(2); // a picture, in the text mode
        MODIFICAR_Click(v.l, v.d);
        QCOMPARE(readBytes(p), before);
        QCOMPARE(v.d.shownBoxes.size(), std::size_t{4});

        // In the right mode it rewrites in place and keeps the number and the list.
        v.recall(1);
        selectOpMostrar(v.l, 2);
        changeText(v.l, "nuevo");
        MODIFICAR_Click(v.l, v.d);
        QCOMPARE(readBytes(p), record(1, 3, 1, "nuevo") + before.substr(137));
        QCOMPARE(v.l.lstcodigoIndex, 0);
        v.recall(2);
        v.draw(2, 2);
        MODIFICAR_Click(v.l, v.d);
        const tipomensaje drawing = recordAt(readBytes(p), 2);
        QCOMPARE(drawing.texto.substr(0, 6), std::string("000204"));
        QCOMPARE(drawing.numero, std::int16_t{2});
        QCOMPARE(v.d.shownBoxes.size(), std::size_t{4});
    }

    void firstAddWithoutAFileUsesAScratchFile() {
        Window v;
        QVERIFY(!v.l.archivo.isOpen());
        v.addText("sin archivo");
        QVERIFY(v.l.scratch.isOpen());
        const fs::path scratch = v.l.archivo.path();

        // Leaving asks once; Cancel stays, Yes with a cancelled save stays too.
        v.d.replies = {Answer::Cancel, Answer::Yes};
        QVERIFY(!confirmExit(v.l, v.d));
        QVERIFY(!confirmExit(v.l, v.d));
        QVERIFY(v.l.archivo.isOpen());

        // Yes and a name: the messages are saved there and the program may end.
        v.d.replies = {Answer::Yes};
        v.d.files = {path("rescatado.men").string()};
        QVERIFY(confirmExit(v.l, v.d));
        QVERIFY(!v.l.archivo.isOpen());
        QCOMPARE(readBytes(path("rescatado.men")), record(1, 1, 1, "sin archivo"));
        QVERIFY(!fs::exists(scratch));
    }

    void openReadsTheListAndClearsTheText() {
        Window v;
        const fs::path p = path("abrir.men");
        writeBytes(p, record(1, 1, 1, "a", '0') + record(1, 2, 2, "b"));
        v.d.files = {p.string()};
        abrir_Click(v.l, v.d);
        QCOMPARE(v.l.lstcodigo, (List{"1"}));
        QCOMPARE(v.l.texto, std::string());
        changeText(v.l, "sigue"); // cancelled: no reopening, no clearing
        abrir_Click(v.l, v.d);
        QCOMPARE(v.l.texto, std::string("sigue"));
        QCOMPARE(v.l.archivo.path(), p.string());
    }

    void failedOpenOrSaveKeepsTheOpenFile_data() {
        QTest::addColumn<bool>("guardar");
        QTest::addColumn<QString>("target");
        QTest::newRow("open a folder") << false << "carpeta.men";
        QTest::newRow("open in a missing folder") << false << "falta/x.men";
        QTest::newRow("save onto a folder") << true << "carpeta.men";
        QTest::newRow("save in a missing folder") << true << "falta/x.men";
    }
    void failedOpenOrSaveKeepsTheOpenFile() {
        QFETCH(bool, guardar);
        QFETCH(QString, target);
        fs::create_directories(path("carpeta.men"));
        Window v;
        const fs::path p = path(std::string("previo-") + QTest::currentDataTag() + ".men");
        v.abrir(p);
        v.addText("previo");
        const std::string before = readBytes(p);
        const fs::path bad = path(target.toStdString());
        v.d.files = {bad.string()};
        v.d.replies = {Answer::Yes};
        if (guardar) {
            QVERIFY(!guardar_Click(v.l, v.d));
        } else {
            abrir_Click(v.l, v.d);
        }
        QCOMPARE(v.d.shownBoxes.back().icon, Icon::Critical);
        QVERIFY(v.d.shownBoxes.back().texto.find(bad.string()) != std::string::npos);
        QCOMPARE(v.l.archivo.path(), p.string());
        QCOMPARE(readBytes(p), before);
        QVERIFY(fs::is_empty(path("carpeta.men")));
        v.addText("sigue");
        QCOMPARE(v.l.lstcodigo, (List{"1", "2"}));
        QCOMPARE(fs::file_size(p), std::uintmax_t{274});
    }

    // Saving copies the open file and continues with the copy; an existing file is replaced
    // only when the user says yes.
    void saveCopiesTheOpenFileAfterAsking() {
        Window v;
        const fs::path p = path("origen.men");
        v.abrir(p);
        v.addText("uno");
        v.addText("dos");
        changeText(v.l, "queda");
        const fs::path copy = path("copia.men");
        writeBytes(copy, record(1, 1, 1, "ajeno"));
        QVERIFY(!guardar_Click(v.l, v.d)); // cancelled dialog
        v.d.files = {copy.string()};
        QVERIFY(!guardar_Click(v.l, v.d)); // the default answer
        QCOMPARE(v.d.shownBoxes.at(0).defaultAnswer, Answer::No);
        QCOMPARE(readBytes(copy), record(1, 1, 1, "ajeno"));
        QCOMPARE(v.l.archivo.path(), p.string());

        v.d.files = {copy.string()};
        v.d.replies = {Answer::Yes};
        QVERIFY(guardar_Click(v.l, v.d));
        QCOMPARE(v.l.archivo.path(), copy.string());
        QCOMPARE(readBytes(copy), readBytes(p));
        QCOMPARE(v.l.texto, std::string("queda"));
        v.addText("tres"); // to the copy only
        QCOMPARE(fs::file_size(copy), std::uintmax_t{411});
        QCOMPARE(fs::file_size(p), std::uintmax_t{274});

        // Under the open file's own name: kept as it is.
        const std::string threeRecords = readBytes(copy);
        v.d.files = {copy.string()};
        v.d.replies = {Answer::Yes};
        QVERIFY(guardar_Click(v.l, v.d));
        QCOMPARE(readBytes(copy), threeRecords);

        // With nothing open, saving makes an empty file.
        Window w;
        w.d.files = {path("vacio.men").string()};
        QVERIFY(guardar_Click(w.l, w.d));
        QCOMPARE(fs::file_size(path("vacio.men")), std::uintmax_t{0});
    }

    void fullFileRefusesAnotherMessage() {
        Window v;
        const fs::path p = path("lleno.men");
        writeBytes(p, "");
        fs::resize_file(p, std::uintmax_t{MessageFile::kMaxRecords} * 137);
        v.abrir(p);
        v.addText("uno mas");
        QCOMPARE(v.d.shownBoxes.size(), std::size_t{1});
        QCOMPARE(fs::file_size(p), std::uintmax_t{MessageFile::kMaxRecords} * 137);
        // Beyond the limit the file is refused, and the open one stays.
        fs::resize_file(p, std::uintmax_t{MessageFile::kMaxRecords + 1} * 137);
        QVERIFY(!openMessageFile(v.l, p.string()).ok());
        QCOMPARE(v.l.archivo.path(), p.string());
    }
};

QTEST_APPLESS_MAIN(MessageListTest)
#include "test_message_list.moc"
