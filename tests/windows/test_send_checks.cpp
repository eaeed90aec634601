// SPDX-License-Identifier: GPL-3.0-or-later
// What will not reach the sign, told before sending: the meters beside Text1 and in the status
// bar, the question before a too-big ADICIONAR, keeping accents, the whole file played in order.
#include "display/picture_composer.hpp"
#include "display/scripted_dialogs.hpp"
#include "presentation/simulation.hpp"
#include "support/find_control.hpp"
#include "support/message_fixture.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form3.hpp"
#include "windows/playback_controller.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

using namespace lumivel;
using lumivel::test::control;

namespace {

QString label(const Form3& w, const char* name) {
    return control<QLabel>(w, name)->text();
}

std::array<std::uint8_t, 64> shownColumns(const Form3& w) {
    std::array<std::uint8_t, 64> c{};
    for (int k = 0; k < 64; ++k) {
        c[static_cast<std::size_t>(k)] = control<SignWidget>(w, "Pic")->shown().columnByte(k);
    }
    return c;
}

// Runs `act` on the modal dialog the next trigger opens.
void whenDialogOpens(const std::function<void(QDialog&)>& act) {
    QTimer::singleShot(0,
                       [act] { act(*qobject_cast<QDialog*>(QApplication::activeModalWidget())); });
}

} // namespace

class SendChecksTest : public QObject {
    Q_OBJECT
    ScriptedDialogs dialogs;
    std::unique_ptr<Form3> w;
    QTemporaryDir folder;

    void type(const QString& text) {
        // As typing does; QTest types ASCII only.
        auto* text1 = control<QLineEdit>(*w, "Text1");
        text1->setText(text);
        emit text1->textEdited(text);
    }
    void trigger(const char* name) { control<QAction>(*w, name)->trigger(); }
    QString saved(const std::vector<tipomensaje>& records) {
        const QString path = folder.filePath("m.men");
        Lumivel writer;
        test::openWithMessages(writer, path, records);
        return path;
    }

  private slots:
    void init() {
        dialogs = ScriptedDialogs{};
        w = std::make_unique<Form3>(&dialogs);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() { w.reset(); }

    void textMetersFollowTypingFontAndPresentation() {
        QVERIFY(label(*w, "textCount").isEmpty()); // the first start shows nothing new
        trigger("optexto");
        control<QAbstractButton>(*w, "Opletra", 1)->click();
        type(QStringLiteral("AÑO"));
        QCOMPARE(label(*w, "textCount"), QString("3/130"));
        QCOMPARE(label(*w, "glyphWarning"), QStringLiteral("Sin letra en 5 x 7: Ñ"));
        control<QAbstractButton>(*w, "Opletra", 2)->click();
        QCOMPARE(label(*w, "glyphWarning"), QStringLiteral("Sin letra en 5 x 9: Ñ"));

        type(QStringLiteral("OFERTAS DE INVIERNO EN TIENDA"));
        control<QAbstractButton>(*w, "op_mostrar", 1)->click(); // Por Fila
        const QString cut = control<QLabel>(*w, "cutWarning")->toolTip();
        QVERIFY(cut.startsWith(QStringLiteral("El texto ocupa ")));
        QVERIFY(cut.contains(QStringLiteral("columnas; el Lumivel muestra 64: no se verá «")));
        QVERIFY(cut.endsWith(QStringLiteral(" TIENDA»")));
        QVERIFY(control<QFrame>(*w, "cutMark")->isVisible());
        control<QAbstractButton>(*w, "op_mostrar", 0)->click(); // Caminando walks it all
        QVERIFY(label(*w, "cutWarning").isEmpty());
        QVERIFY(!control<QFrame>(*w, "cutMark")->isVisible());
    }

    // 61 full records and the two end marks: 61 * 133 + 2 slots, one under the last index.
    void imageMeterFollowsTheFileAndAsksBeforeATooBigAdd() {
        QVERIFY(!control<QLabel>(*w, "imageUsage")->isVisible());
        const std::string full(130, 'X');
        w->openMessageFile(saved(std::vector(61, test::texto(1, 1, full))));
        QCOMPARE(label(*w, "imageUsage"), QString("8.114 de 8.191 bytes"));

        trigger("optexto");
        type(QString::fromStdString(full));
        dialogs.replies = {Answer::No};
        control<QPushButton>(*w, "ADICIONAR")->click();
        QCOMPARE(dialogs.shownBoxes.size(), std::size_t{1});
        QVERIFY(dialogs.shownBoxes[0].texto.find("8.247 de 8.191 bytes") != std::string::npos);
        auto* list = control<QListWidget>(*w, "Lstcodigo");
        QCOMPARE(list->count(), 61);

        list->setCurrentRow(0);
        control<QPushButton>(*w, "ELIMINAR")->click();
        QCOMPARE(label(*w, "imageUsage"), QString("7.981 de 8.191 bytes"));
        type("AB");
        control<QPushButton>(*w, "ADICIONAR")->click();
        QCOMPARE(list->count(), 61);
        QCOMPARE(label(*w, "imageUsage"), QString("7.986 de 8.191 bytes"));
        QCOMPARE(dialogs.shownBoxes.size(), std::size_t{1});
    }

    void accentsGoPlainOrTheTextBecomesAPicture() {
        trigger("optexto");
        type(QStringLiteral("Canción"));
        trigger("stripAccents");
        QCOMPARE(control<QLineEdit>(*w, "Text1")->text(), QString("Cancion"));

        // Ñ stays a letter: the composer is offered, and its picture is one undo step.
        type(QStringLiteral("AÑO NUEVO"));
        dialogs.replies = {Answer::Yes};
        whenDialogOpens([](QDialog& composer) {
            control<QComboBox>(composer, "composerAlignment")->setCurrentIndex(1);
            composer.accept();
        });
        const int font = w->state().tipoletra - 1;
        trigger("stripAccents");
        QCOMPARE(shownColumns(*w), composePicture(font, "A\xD1O NUEVO", Alignment::Centre));
        QCOMPARE(w->state().option1, 0);
        trigger("undo");
        QCOMPARE(shownColumns(*w), (std::array<std::uint8_t, 64>{}));

        // "Cancelar" leaves the drawing exactly as it was, whatever the preview showed.
        QTest::mouseClick(control(*w, "Pic"), Qt::LeftButton, {}, QPoint(6, 6));
        const auto before = w->state().sign.matriz;
        whenDialogOpens([](QDialog& composer) {
            control<QLineEdit>(composer, "composerText")->setText("HOLA");
            composer.reject();
        });
        trigger("textToPicture");
        QCOMPARE(w->state().sign.matriz, before);
    }

    // While the file plays the window follows the message playing (its place, font, effect and
    // number); afterwards it is as it was before.
    void playAllSaysWhichMessagePlaysAndGivesTheWindowBack() {
        const QString week = folder.filePath("semana.men");
        Lumivel writer;
        test::openWithMessages(
            writer, week,
            {test::texto(1, 1, "UNO"), test::texto(2, 3, "DOS"), test::texto(3, 4, "TRES")});
        w->openMessageFile(week);
        control<QAbstractButton>(*w, "Opletra", 1)->click();
        control<QAbstractButton>(*w, "op_mostrar", 2)->click();
        type("HOLA");
        const auto before = w->state().sign.matriz;
        auto* list = control<QListWidget>(*w, "Lstcodigo");
        const int selected = list->currentRow();
        struct Seen {
            QString notice;
            int font;
            int effect;
            int row;
        };
        std::vector<Seen> seen;
        const auto checked = [this](const char* name) {
            for (int i = 0; i < 4; ++i) {
                auto* option = control<QAbstractButton>(*w, name, i);
                if (option != nullptr && option->isChecked()) {
                    return i;
                }
            }
            return -1;
        };
        PlaybackController* playback = w->findChild<PlaybackController*>();
        QVERIFY(playback != nullptr);
        connect(playback, &PlaybackController::playing, this, [&](const QString& notice) {
            seen.push_back({notice, checked("Opletra"), checked("op_mostrar"), list->currentRow()});
            QCOMPARE(w->statusBar()->currentMessage(), notice);
            if (seen.size() == 2) {
                // Seen the second: Esc ends the run as it does for a person.
                QTimer::singleShot(0, [this] { QTest::keyClick(w.get(), Qt::Key_Escape); });
            }
        });
        trigger("playAll");
        QCOMPARE(seen.size(), std::size_t{3});
        QCOMPARE(seen[0].notice, QString("Mensaje 1 de 3"));
        QCOMPARE((std::array{seen[0].font, seen[0].effect, seen[0].row}), (std::array{0, 0, 0}));
        QCOMPARE(seen[1].notice, QString("Mensaje 2 de 3"));
        QCOMPARE((std::array{seen[1].font, seen[1].effect, seen[1].row}), (std::array{2, 1, 1}));
        QVERIFY(seen[2].notice.isEmpty());
        QVERIFY(w->statusBar()->currentMessage().isEmpty());
        QCOMPARE(control<QLineEdit>(*w, "Text1")->text(), QString("HOLA"));
        QCOMPARE(checked("Opletra"), 1);
        QCOMPARE(checked("op_mostrar"), 2);
        QCOMPARE(list->currentRow(), selected);
        QCOMPARE(w->state().sign.matriz, before);
    }

    void playAllShowsEachMessageInOrderUntilEsc() {
        trigger("playAll");
        QCOMPARE(dialogs.shownBoxes.at(0).texto, noMessageBox().texto);

        std::array<std::uint8_t, 64> second{};
        second.fill(0x81);
        w->openMessageFile(saved({test::image(test::samplePicture()), test::image(second)}));
        std::vector<std::array<std::uint8_t, 64>> seen;
        QTimer::singleShot(500, [&] { seen.push_back(shownColumns(*w)); });
        QTimer::singleShot(3500, [&] {
            seen.push_back(shownColumns(*w));
            QTest::keyClick(w.get(), Qt::Key_Escape);
        });
        QElapsedTimer clock;
        clock.start();
        trigger("playAll");
        QVERIFY2(clock.elapsed() < 5000, "Esc did not stop the messages");
        QCOMPARE(seen.size(), std::size_t{2});
        QCOMPARE(seen[0], test::samplePicture());
        QCOMPARE(seen[1], second);
    }
};

QTEST_MAIN(SendChecksTest)
#include "test_send_checks.moc"
