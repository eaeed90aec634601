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
    void clipboardShiftsAndMirrorsAreSteps() {
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const Sign& sign = window.state().sign;
        QVERIFY(!action(window, "pastePicture")->isEnabled());
        action(window, "opgrafico")->trigger();
        QVERIFY(action(window, "pastePicture")->isEnabled());

        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QString::fromStdString(pictureHex(sample())).toLower() + "\n");
        action(window, "pastePicture")->trigger();
        QCOMPARE(currentPicture(sign), sample());
        QCOMPARE(action(window, "undo")->text(), QString("Deshacer pegar"));

        // The copied image is the sign as the window paints it.
        action(window, "copyPicture")->trigger();
        QCOMPARE(clipboard->text().toStdString(), pictureHex(sample()));
        const QImage copied = clipboard->image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(copied, signImage(sample(), QColor(220, 220, 220)));
        QCOMPARE(copied, control<SignWidget>(window, "Pic")->image());
        control<QPushButton>(window, "Bomba")->click();
        action(window, "pastePicture")->trigger();
        QCOMPARE(currentPicture(sign), sample());

        QImage column(64, 8, QImage::Format_RGB32);
        column.fill(Qt::black);
        QPainter(&column).fillRect(5, 0, 1, 3, Qt::white);
        clipboard->setImage(column);
        action(window, "pastePicture")->trigger();
        QCOMPARE(pictureHex(currentPicture(sign)), "0000000000"
                                                   "07" +
                                                       std::string(116, '0'));

        clipboard->setText(QStringLiteral("no es un dibujo"));
        const Picture before = currentPicture(sign);
        action(window, "pastePicture")->trigger();
        QCOMPARE(currentPicture(sign), before);
        QCOMPARE(dialogs.shownBoxes.size(), std::size_t{1});

        auto* pic = control<SignWidget>(window, "Pic");
        QTest::keyClick(pic, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(currentPicture(sign), shifted(before, ShiftDirection::Left));
        QCOMPARE(action(window, "undo")->text(), QString("Deshacer mover a la izquierda"));
        QTest::keyClick(pic, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(currentPicture(sign),
                 mirrored(shifted(before, ShiftDirection::Left), MirrorAxis::Vertical));
        action(window, "undo")->trigger();
        action(window, "undo")->trigger();
        QCOMPARE(currentPicture(sign), before);
        QCOMPARE(sign.vector[30], std::int16_t{before[30]});
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
