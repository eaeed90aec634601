// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-picture work in the main window: the clipboard, shifts and mirrors, and importing an
// image, each one undo step and only in the drawing mode.
#include "display/scripted_dialogs.hpp"
#include "drawing/picture_edit.hpp"
#include "support/find_control.hpp"
#include "ui/picture_import_dialog.hpp"
#include "ui/sign_image.hpp"
#include "ui/sign_widget.hpp"
#include "windows/form3.hpp"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

using namespace lumivel;
using lumivel::test::control;

namespace {

const std::string kSample = QString("0123456789ABCDEF").repeated(8).toStdString();

Picture sample() {
    return *parsePictureHex(kSample);
}

} // namespace

class PictureControllerTest : public QObject {
    Q_OBJECT
  private slots:
    // Only the drawing mode offers the items; a copy is the sign as the window paints it.
    void copyGivesTheSignAsPainted() {
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        QVERIFY(!action(window, "copyPicture")->isEnabled());
        action(window, "opgrafico")->trigger();
        QVERIFY(action(window, "copyPicture")->isEnabled());
        showPicture(window.state().sign, sample());
        action(window, "copyPicture")->trigger();
        QClipboard* clipboard = QGuiApplication::clipboard();
        QCOMPARE(clipboard->text().toStdString(), pictureHex(sample()));
        const QImage copied = clipboard->image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(copied, signImage(sample(), QColor(220, 220, 220)));
        QCOMPARE(copied, control<SignWidget>(window, "Pic")->image());
    }

    void pastesShiftsAndMirrorsAreSteps_data() {
        QTest::addColumn<QString>("clipboardText"); // empty: an image holding one short column
        QTest::addColumn<int>("key");               // with Ctrl+Shift; 0: "Pegar"
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("undo"); // empty: refused with a box, no step
        const auto hex = [](const Picture& p) { return QString::fromStdString(pictureHex(p)); };
        const QString digits = QString("F0").repeated(64);
        QTest::newRow("digits, any case") << digits.toLower() + "\n"
                                          << 0 << digits << "Deshacer pegar";
        QTest::newRow("an image") << QString() << 0
                                  << "0000000000"
                                     "07" +
                                         QString(116, '0')
                                  << "Deshacer pegar";
        QTest::newRow("neither") << "no es un dibujo" << 0 << hex(sample()) << QString();
        QTest::newRow("shift") << QString() << int(Qt::Key_Left)
                               << hex(shifted(sample(), ShiftDirection::Left))
                               << "Deshacer mover a la izquierda";
        QTest::newRow("mirror") << QString() << int(Qt::Key_V)
                                << hex(mirrored(sample(), MirrorAxis::Vertical))
                                << "Deshacer reflejar verticalmente";
    }

    // From the sample drawn, each is one step that undo takes back, LEDs and columns alike.
    void pastesShiftsAndMirrorsAreSteps() {
        QFETCH(QString, clipboardText);
        QFETCH(int, key);
        QFETCH(QString, shown);
        QFETCH(QString, undo);
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const Sign& sign = window.state().sign;
        action(window, "opgrafico")->trigger();
        showPicture(window.state().sign, sample());

        QClipboard* clipboard = QGuiApplication::clipboard();
        if (key != 0) {
            QTest::keyClick(control<SignWidget>(window, "Pic"), static_cast<Qt::Key>(key),
                            Qt::ControlModifier | Qt::ShiftModifier);
        } else {
            if (clipboardText.isEmpty()) {
                QImage column(64, 8, QImage::Format_RGB32);
                column.fill(Qt::black);
                QPainter(&column).fillRect(5, 0, 1, 3, Qt::white);
                clipboard->setImage(column);
            } else {
                clipboard->setText(clipboardText);
            }
            action(window, "pastePicture")->trigger();
        }
        QCOMPARE(QString::fromStdString(pictureHex(currentPicture(sign))), shown);
        QCOMPARE(dialogs.shownBoxes.size(), std::size_t{undo.isEmpty() ? 1U : 0U});
        QCOMPARE(action(window, "undo")->isEnabled(), !undo.isEmpty());
        if (!undo.isEmpty()) {
            QCOMPARE(action(window, "undo")->text(), undo);
            action(window, "undo")->trigger();
            QCOMPARE(currentPicture(sign), sample());
            QCOMPARE(sign.vector[30], std::int16_t{sample()[30]});
        }
    }

    // The sign is the preview; "Cancelar" gives it back exactly, "Aceptar" is one step, and
    // a file that is no image changes nothing.
    void importPreviewsThenKeepsOrRestores() {
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        Lumivel& l = window.state();
        QTemporaryDir dir;
        QImage grey(64, 8, QImage::Format_RGB32);
        grey.fill(QColor(100, 100, 100));
        const QString png = dir.filePath("gris.png");
        QVERIFY(grey.save(png));

        dialogs.files.push_back(QString(__FILE__).toStdString());
        action(window, "importImage")->trigger();
        QCOMPARE(dialogs.shownBoxes.size(), std::size_t{1});
        QVERIFY(window.findChild<PictureImportDialog*>() == nullptr);
        QVERIFY(!action(window, "copyPicture")->isEnabled());

        action(window, "opgrafico")->trigger();
        QGuiApplication::clipboard()->setText(QString::fromStdString(pictureHex(sample())));
        action(window, "pastePicture")->trigger();
        for (const bool accept : {false, true}) {
            const auto matriz = l.sign.matriz;
            dialogs.files.push_back(png.toStdString());
            action(window, "importImage")->trigger();
            auto* dialog = window.findChild<PictureImportDialog*>();
            QVERIFY(dialog != nullptr);
            QCOMPARE(currentPicture(l.sign), Picture{}); // 100 is below 128
            control<QSlider>(*dialog, "umbral")->setValue(100);
            QCOMPARE(currentPicture(l.sign)[63], std::uint8_t{0xFF});
            if (accept) {
                dialog->accept();
                QCOMPARE(currentPicture(l.sign)[0], std::uint8_t{0xFF});
                action(window, "undo")->trigger();
            } else {
                dialog->reject();
            }
            QVERIFY(l.sign.matriz == matriz);
            QTRY_VERIFY(window.findChild<PictureImportDialog*>() == nullptr);
        }
        QCOMPARE(action(window, "redo")->text(), QString("Rehacer importar imagen"));
    }

  private:
    static QAction* action(const Form3& f, const char* name) { return control<QAction>(f, name); }
};

QTEST_MAIN(PictureControllerTest)
#include "test_picture_controller.moc"
