// SPDX-License-Identifier: GPL-3.0-or-later
// What a person chose comes back in the next window: the skin, the LED colour, the port,
// where the file dialogs start and the recent files. Without settings, or with spoiled ones,
// the window starts with its start-up looks.
#include "appearance/skin_table.hpp"
#include "display/scripted_dialogs.hpp"
#include "support/file_bytes.hpp"
#include "support/find_control.hpp"
#include "support/main_window.hpp"
#include "support/message_fixture.hpp"
#include "ui/settings.hpp"
#include "ui/skin.hpp"
#include "windows/form1.hpp"
#include "windows/form3.hpp"
#include "windows/form5.hpp"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace lumivel;
using lumivel::test::control;

namespace {

template <typename Window> Window* openedBy(const Form3& main, const char* button) {
    control<QPushButton>(main, button)->click();
    return test::shownWindow<Window>();
}

QStringList recentEntries(const Form3& window) {
    QStringList texts;
    for (const QAction* action : control<QMenu>(window, "recentFiles")->actions()) {
        texts << action->text();
    }
    return texts;
}

QSettings storedSettings() {
    return {QSettings::NativeFormat, QSettings::UserScope, "SimLumivel", "SimLumivel"};
}

} // namespace

class RememberedSettingsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { storedSettings().clear(); }

    void choicesComeBackInTheNextWindow() {
        QTemporaryDir folder;
        const QString kept = folder.filePath("uno.men");
        const QString other = folder.filePath("dos & tres.men");
        const QString gone = folder.filePath("ido.men");
        const QString otherShown = QString(other).replace("&", "&&"); // no shortcut letter
        writeBytes(kept.toStdString(), test::record(1, 1, 1, "uno"));
        writeBytes(other.toStdString(),
                   test::record(1, 1, 1, "dos") + test::record(2, 1, 1, "tres"));
        writeBytes(gone.toStdString(), test::record(1, 1, 1, "ido"));
        {
            ScriptedDialogs dialogs;
            Form3 window(&dialogs);
            QVERIFY(control<QAction>(window, "startupSkin")->isChecked());
            QCOMPARE(window.state().sign.litCentre(), (Rgb{220, 220, 220}));

            control<QAction>(window, "MNUCamb", 6)->trigger(); // "Paper"
            Form5* colours = openedBy<Form5>(window, "configurar");
            colours->Option1(2)->click();
            colours->close();
            dialogs.files = {gone.toStdString(), other.toStdString(), kept.toStdString()};
            for (int i = 0; i < 3; ++i) {
                control<QPushButton>(window, "abrir")->click();
            }
        }
        QVERIFY(QFile::remove(gone));

        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        // The window starts with its own caption; the session then picks up the file opened last.
        const QString caption = window.windowTitle();
        QVERIFY(caption.startsWith("SimLumivel "));
        QVERIFY(!window.state().archivo.isOpen());
        window.reopenLastFile();
        QCOMPARE(QString::fromStdString(window.state().archivo.path()), kept);
        QCOMPARE(control<QListWidget>(window, "Lstcodigo")->count(), 1);
        QCOMPARE(window.windowTitle(), "uno.men - " + caption);
        QVERIFY(control<QAction>(window, "MNUCamb", 6)->isChecked());
        QCOMPARE(window.state().sign.litCentre(), (Rgb{225, 0, 0}));
        control<QPushButton>(window, "abrir")->click(); // cancelled
        QCOMPARE(dialogs.fileDialogs.back().folder, folder.path().toStdString());
        QCOMPARE(dialogs.fileDialogs.back().name, std::string("uno.men"));
        QCOMPARE(recentEntries(window),
                 QStringList({"&1 " + kept, "&2 " + otherShown, "&3 " + gone}));

        // A recent file opens as "Abrir" opens it and comes first; one that is gone is said
        // so, dropped, and the open file stays.
        control<QAction>(window, "recentFile", 1)->trigger();
        QCOMPARE(control<QListWidget>(window, "Lstcodigo")->count(), 2);
        QCOMPARE(recentEntries(window).first(), "&1 " + otherShown);
        control<QAction>(window, "recentFile", 2)->trigger();
        QCOMPARE(dialogs.shownBoxes.size(), std::size_t{1});
        QVERIFY(dialogs.shownBoxes[0].texto.find("ya no existe") != std::string::npos);
        QVERIFY(!QFile::exists(gone));
        QCOMPARE(recentEntries(window).size(), 2);
        QCOMPARE(window.windowTitle(), "dos & tres.men - " + caption);

        // Recovered messages are not replaced by the file of the last session, nor is a file
        // that has gone since.
        window.reopenLastFile();
        QCOMPARE(QString::fromStdString(window.state().archivo.path()), other);
        Form3 next(&dialogs);
        QVERIFY(QFile::remove(other));
        next.reopenLastFile();
        QVERIFY(!next.state().archivo.isOpen());
        QCOMPARE(next.windowTitle(), caption);
    }

    // Message files, images and exports each start where the last of their kind ended; an
    // export proposes a name of its own kind, never the open message file, and asks before
    // replacing.
    void eachKindOfFileDialogRemembersItsOwn() {
        QTemporaryDir folder;
        const QString men = folder.filePath("tienda.men");
        writeBytes(men.toStdString(), test::record(1, 1, 1, "uno"));
        QVERIFY(QDir(folder.path()).mkdir("fotos"));
        const QString logo = folder.filePath("fotos/logo.png");
        QImage image(64, 8, QImage::Format_RGB32);
        image.fill(Qt::black);
        QVERIFY(image.save(logo));
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        dialogs.files = {men.toStdString(), logo.toStdString()};
        control<QPushButton>(window, "abrir")->click();
        control<QAction>(window, "importImage")->trigger();
        for (const char* action : {"exportAnimation", "exportImage"}) {
            control<QAction>(window, action)->trigger(); // cancelled
            const FileDialogOptions& exported = dialogs.fileDialogs.back();
            QVERIFY(exported.confirmOverwrite);
            QCOMPARE(exported.name.substr(0, 7), std::string("mensaje"));
            QCOMPARE(exported.name.substr(exported.name.size() - 4),
                     std::string(action == std::string("exportImage") ? ".png" : ".gif"));
        }
        control<QPushButton>(window, "abrir")->click();
        QCOMPARE(dialogs.fileDialogs.back().name, std::string("tienda.men"));
        QVERIFY(!dialogs.fileDialogs.back().confirmOverwrite);
        control<QAction>(window, "importImage")->trigger();
        QCOMPARE(dialogs.fileDialogs.back().folder, folder.filePath("fotos").toStdString());
        QCOMPARE(dialogs.fileDialogs.back().name, std::string("logo.png"));
    }

    void spoiledSettingsFallBackToTheStartUpLooks() {
        QFile file(storedSettings().fileName());
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xff\xfe\x01\n[appearance]\nskin=../../../etc/passwd\nledColor=#12345\n"
                   "[files]\nrecent=\n[transmission\nport\n");
        file.close();
        ScriptedDialogs dialogs;
        Form3 window(&dialogs);
        QVERIFY(control<QAction>(window, "startupSkin")->isChecked());
        QCOMPARE(window.state().archivoskin, defaultSkinPath(programDataFolder()));
        QCOMPARE(window.state().sign.litCentre(), (Rgb{220, 220, 220}));
        QVERIFY(recentEntries(window).isEmpty());
        QVERIFY(dialogs.shownBoxes.empty());

        // The list keeps the five latest, without repeats.
        Settings settings;
        for (const char* name : {"a", "b", "c", "a", "d", "e", "f"}) {
            settings.addRecentFile(QString("/m/") + name);
        }
        QCOMPARE(settings.recentFiles(), QStringList({"/m/f", "/m/e", "/m/d", "/m/a", "/m/c"}));
    }
};

QTEST_MAIN(RememberedSettingsTest)
#include "test_remembered_settings.moc"
