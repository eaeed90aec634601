// SPDX-License-Identifier: GPL-3.0-or-later
// What the sign shows in the drawing mode is what ADICIONAR and MODIFICAR store, whatever put
// it there; the composer says what a text wider than the sign loses.
#include "display/picture_composer.hpp"
#include "display/scripted_dialogs.hpp"
#include "drawing/picture_edit.hpp"
#include "support/find_control.hpp"
#include "ui/picture_import_dialog.hpp"
#include "windows/form3.hpp"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace lumivel;
using lumivel::test::control;

namespace {

// Runs `act` on the modal dialog the next trigger opens.
void whenDialogOpens(const std::function<void(QDialog&)>& act) {
    QTimer::singleShot(0,
                       [act] { act(*qobject_cast<QDialog*>(QApplication::activeModalWidget())); });
}

enum class Source { Composer, Import, Paste, Shift, Mirror, Undo };

} // namespace

Q_DECLARE_METATYPE(Source)

class StoredPicturesTest : public QObject {
    Q_OBJECT
    ScriptedDialogs dialogs;
    std::unique_ptr<Form3> w;

    void trigger(const char* name) { control<QAction>(*w, name)->trigger(); }
    void click(const char* name) { control<QPushButton>(*w, name)->click(); }
    void compose(const QString& text) {
        whenDialogOpens([text](QDialog& composer) {
            control<QLineEdit>(composer, "composerText")->setText(text);
            composer.accept();
        });
        trigger("textToPicture");
    }
    void paste(const Picture& picture) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(pictureHex(picture)));
        trigger("pastePicture");
    }
    Picture stored() {
        tipomensaje m;
        const bool read = w->state().archivo.read(1, m).ok();
        return read ? decodePicture(m.texto) : Picture{};
    }

  private slots:
    void init() {
        dialogs = ScriptedDialogs{};
        w = std::make_unique<Form3>(&dialogs);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        trigger("opgrafico");
    }
    void cleanup() {
        // The messages are not kept, so the next window starts with no scratch file to offer.
        dialogs.replies = {Answer::No};
        w->close();
        w.reset();
    }

    void theShownPictureIsStored_data() {
        QTest::addColumn<Source>("source");
        QTest::newRow("texto a dibujo") << Source::Composer;
        QTest::newRow("importar imagen") << Source::Import;
        QTest::newRow("pegar") << Source::Paste;
        QTest::newRow("mover") << Source::Shift;
        QTest::newRow("reflejar") << Source::Mirror;
        QTest::newRow("deshacer") << Source::Undo;
    }
    void theShownPictureIsStored() {
        QFETCH(Source, source);
        Picture pasted{};
        pasted.fill(0x3C);
        QTemporaryDir dir;
        switch (source) {
        case Source::Composer:
            compose(QStringLiteral("AÑO"));
            break;
        case Source::Import: {
            QImage image(64, 8, QImage::Format_RGB32);
            image.fill(Qt::black);
            QPainter(&image).fillRect(10, 2, 20, 3, Qt::white);
            QVERIFY(image.save(dir.filePath("logo.png")));
            dialogs.files.push_back(dir.filePath("logo.png").toStdString());
            trigger("importImage");
            w->findChild<PictureImportDialog*>()->accept();
            break;
        }
        case Source::Paste:
            paste(pasted);
            break;
        case Source::Shift:
            paste(pasted);
            trigger("shiftDown");
            break;
        case Source::Mirror:
            compose(QStringLiteral("A"));
            trigger("mirrorHorizontally");
            break;
        case Source::Undo:
            compose(QStringLiteral("UNO"));
            compose(QStringLiteral("DOS"));
            trigger("undo");
            break;
        }
        const Picture shown = currentPicture(w->state().sign);
        QVERIFY(shown != Picture{});
        click("ADICIONAR");
        QCOMPARE(stored(), shown);

        // A dot drawn on the recalled picture is stored with the rest of it.
        control<QListWidget>(*w, "Lstcodigo")->setCurrentRow(0);
        QTest::mouseClick(control(*w, "Pic"), Qt::LeftButton, {}, QPoint(762, 90));
        const Picture drawn = currentPicture(w->state().sign);
        QCOMPARE(drawn[63], static_cast<std::uint8_t>(shown[63] | 0x80));
        click("MODIFICAR");
        QCOMPARE(stored(), drawn);
        QVERIFY(dialogs.shownBoxes.empty());
    }

    // The composer cuts a text wider than the sign at its right edge, and says so as the text
    // box does; a text that fits says nothing.
    void theComposerSaysWhatIsCut() {
        QString shownCut;
        bool visible = true;
        whenDialogOpens([&](QDialog& composer) {
            auto* cut = control<QLabel>(composer, "composerCut");
            visible = cut->isVisible();
            control<QLineEdit>(composer, "composerText")->setText("OFERTA DE AÑO NUEVO");
            control<QComboBox>(composer, "composerFont")->setCurrentIndex(1);
            shownCut = cut->isVisible() ? cut->text() : QString();
            composer.accept();
        });
        trigger("textToPicture");
        QVERIFY(!visible);
        QVERIFY2(shownCut.startsWith("El texto ocupa ") &&
                     shownCut.contains("columnas; el Lumivel muestra 64: no se verá «") &&
                     shownCut.endsWith("NUEVO»"),
                 qPrintable(shownCut));
        QCOMPARE(currentPicture(w->state().sign),
                 composePicture(1, "OFERTA DE A\xD1O NUEVO", Alignment::Left));
    }
};

QTEST_MAIN(StoredPicturesTest)
#include "test_stored_pictures.moc"
