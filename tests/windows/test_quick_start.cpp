// SPDX-License-Identifier: GPL-3.0-or-later
// The quick start page (web/simlumivel.html) is illustrated by the program's own windows,
// rendered here, and quotes the program's own texts. With LUMIVEL_WRITE_GUIDE_IMAGES set to a
// folder the pictures are written there; without it this test fails when a window no longer
// has the size of its picture, when the page names a picture that is not shipped or ships one
// it does not show, and when a text, menu or button it names is no longer the program's.
#include "display/picture_composer.hpp"
#include "display/scripted_dialogs.hpp"
#include "presentation/editing_mode.hpp"
#include "support/find_control.hpp"
#include "support/main_window.hpp"
#include "support/message_fixture.hpp"
#include "transmission/fake_port.hpp"
#include "transmission/link_advice.hpp"
#include "transmission/port_refusal.hpp"
#include "transmission/sign_decoder.hpp"
#include "transmission/transmission_texts.hpp"
#include "windows/form1.hpp"
#include "windows/form3.hpp"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <future>
#include <map>
#include <thread>

using namespace lumivel;
using lumivel::test::control;

namespace {

const QString kSourceDir = QStringLiteral(LUMIVEL_SOURCE_DIR);

QString webFile(const QString& name) {
    return kSourceDir + QStringLiteral("/web/") + name;
}

QString pageSource() {
    QFile page(webFile("simlumivel.html"));
    if (!page.open(QIODevice::ReadOnly)) {
        qFatal("cannot read %s", qPrintable(page.fileName()));
    }
    return QString::fromUtf8(page.readAll());
}

// What a reader sees: entities decoded, tags and runs of blanks gone.
QString pageText() {
    return QTextDocumentFragment::fromHtml(pageSource()).toPlainText().simplified();
}

QStringList captured(const QString& pattern) {
    QStringList found;
    const QRegularExpression expression(pattern);
    for (const QRegularExpressionMatch& match : expression.globalMatch(pageSource())) {
        found << QTextDocumentFragment::fromHtml(match.captured(1)).toPlainText().simplified();
    }
    return found;
}

QString firstLine(const std::string& text) {
    return QString::fromStdString(text.substr(0, text.find('\n')));
}

QString withoutShortcut(QString text) {
    return text.remove(QLatin1Char('&'));
}

// A 9600-baud line to a sign that holds on at one byte until released, so the window can be
// seen in the middle of a transfer; destroying the holder releases it at the latest.
struct HeldLine {
    std::promise<void> go;
    std::shared_future<void> going = go.get_future().share();
    std::atomic<bool> released{false};
    std::atomic<bool> holding{false};
    int holdAt = 0;
    int received = 0; // on the transfer's thread only

    void release() {
        if (!released.exchange(true)) {
            go.set_value();
        }
    }
    ~HeldLine() { release(); }

    PortFactory factory() {
        return [this](const QString& device) {
            auto port = std::make_unique<FakePort>();
            port->deviceName = device.toStdString();
            auto sign = std::make_shared<SignResponder>();
            port->responder = [this, sign](std::uint8_t b) {
                if (++received == holdAt) {
                    holding = true;
                    going.wait();
                } else if (!released) {
                    // An echo takes this long on the wire; the progress bar has time to follow.
                    std::this_thread::sleep_for(std::chrono::microseconds(2100));
                }
                return sign->responder(b).bytes;
            };
            return port;
        };
    }
};

// The pictures of the page by file name, and what the transmission window said at the end.
struct GuideScene {
    std::map<QString, QImage> pictures;
    QString finishedStatus;
};

// Two triangles pointing in from each edge, 4 columns wide and as high as the letters.
void addArrows(std::array<std::uint8_t, 64>& columns) {
    const std::array<std::uint8_t, 4> arrow = {0x7F, 0x3E, 0x1C, 0x08};
    for (std::size_t i = 0; i < arrow.size(); ++i) {
        columns.at(i) = arrow.at(i);
        columns.at(5 + i) = arrow.at(i);
        columns.at(63 - i) = arrow.at(i);
        columns.at(58 - i) = arrow.at(i);
    }
}

// A shop's week on the sign: the texts in each effect and font, and a picture.
std::string weekFile() {
    std::array<std::uint8_t, 64> open = composePicture(1, "ABIERTO", Alignment::Centre);
    addArrows(open);
    return test::record(1, 1, 2, "OFERTAS DE LA SEMANA") + test::record(2, 2, 1, "PAN 2 X 1") +
           test::record(3, 1, 1, "HORARIO LUNES A SABADO DE 8 A 21 HS") +
           test::record(4, 3, 2, "GRACIAS") + test::record(5, test::image(open));
}

} // namespace

class QuickStartTest : public QObject {
    Q_OBJECT
    QTemporaryDir folder_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<Form3> main_;

    // The main window as the program starts it, with the skin it ships with.
    void openMainWindow() {
        main_ = std::make_unique<Form3>(&dialogs_, (kSourceDir + "/skins").toStdString());
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }

    Form1* openTransmissionWindow() {
        control<QPushButton>(*main_, "serial")->click();
        return test::shownWindow<Form1>();
    }

    void renderScene(GuideScene& scene) {
        // Named from the folder it is in, as on the command line: the status bar shows the name
        // and no test folder.
        QVERIFY(QDir::setCurrent(folder_.path()));
        const QString path = QStringLiteral("ofertas.men");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const std::string bytes = weekFile();
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        file.close();

        openMainWindow();
        main_->openMessageFile(path);
        auto* list = control<QListWidget>(*main_, "Lstcodigo");
        QCOMPARE(list->count(), 5);
        list->setCurrentRow(4); // the picture: recalled, it puts the window in drawing mode
        QCOMPARE(main_->state().option1, kDrawingMode);
        scene.pictures["dibujo.png"] = main_->grab().toImage();
        list->setCurrentRow(0);
        QCOMPARE(control<QLineEdit>(*main_, "Text1")->text(), QString("OFERTAS DE LA SEMANA"));
        scene.pictures["ventana_principal.png"] = main_->grab().toImage();

        HeldLine line;
        QPointer<Form1> window = openTransmissionWindow();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window.data()));
        const auto closeWindow = qScopeGuard([&] {
            line.release();
            delete window.data();
        });
        window->setPortFactory(line.factory());
        window->otherPort()->setEditText("/dev/ttyUSB0");
        line.holdAt = window->image().ndatos * 3 / 5;
        QSignalSpy finished(window.data(), &Form1::transferFinished);
        window->Command1()->click();
        QTRY_VERIFY(line.holding);
        QTRY_VERIFY(window->ProgressBar1()->value() > 0);
        QTRY_VERIFY(window->timeLabel()->text().startsWith("Quedan "));
        QVERIFY(window->stopButton()->isVisible());
        scene.pictures["transmision_enviando.png"] = window->grab().toImage();

        line.release();
        QVERIFY(finished.wait(20000));
        QCOMPARE(window->lastSend().outcome, Outcome::Verified);
        QCOMPARE(window->windowTitle(), QString(kConnectedTitle));
        scene.finishedStatus = window->panel(0)->text();
        scene.pictures["transmision_completa.png"] = window->grab().toImage();
    }

  private slots:
    void cleanup() { main_.reset(); }

    // The pictures are written with the variable; without it, each must still fit its window.
    void picturesAreTheWindowsAsTheyAreNow() {
        GuideScene scene;
        renderScene(scene);
        if (QTest::currentTestFailed()) {
            return;
        }
        QCOMPARE(scene.pictures.size(), std::size_t{4});
        const QString target = qEnvironmentVariable("LUMIVEL_WRITE_GUIDE_IMAGES");
        const QStringList shown = captured("<img\\b[^>]*\\bsrc=\"img/([^\"]+)\"");
        QStringList stale;
        for (const auto& [name, picture] : scene.pictures) {
            QVERIFY2(shown.contains(name), qPrintable(name + " is not shown by the page"));
            if (!target.isEmpty()) {
                QVERIFY2(picture.save(QDir(target).filePath(name)), qPrintable(name));
                continue;
            }
            const QSize committed = QImageReader(webFile("img/" + name)).size();
            if (committed != picture.size()) {
                stale << QStringLiteral("web/img/%1 is %2 x %3, its window now %4 x %5")
                             .arg(name)
                             .arg(committed.width())
                             .arg(committed.height())
                             .arg(picture.width())
                             .arg(picture.height());
            }
        }
        QVERIFY2(stale.isEmpty(),
                 qPrintable(stale.join("; ") +
                            ". Regenerate with LUMIVEL_WRITE_GUIDE_IMAGES=<source>/web/img"));
        // The page quotes the end of the very transfer its picture shows.
        QVERIFY2(pageText().contains(scene.finishedStatus), qPrintable(scene.finishedStatus));
    }

    // Installed beside the program and opened without a network: everything the page uses is
    // in web/, and every picture there is one the page shows.
    void thePageStandsAloneWithItsPictures() {
        const QStringList images = captured("<img\\b[^>]*\\bsrc=\"([^\"]+)\"");
        QVERIFY(!images.isEmpty());
        for (const QString& image : images) {
            QVERIFY2(image.startsWith("img/") && !image.contains("..") &&
                         QFileInfo(webFile(image)).isFile(),
                     qPrintable(image));
        }
        for (const QString& address :
             captured("\\b(?:src|href)\\s*=\\s*\"([^\"]*)\"") + captured("url\\(([^)]*)\\)")) {
            QVERIFY2(!address.contains(':') && !address.startsWith('/'), qPrintable(address));
        }
        const QStringList shipped = QDir(webFile("img")).entryList(QDir::Files);
        for (const QString& file : shipped) {
            QVERIFY2(images.contains("img/" + file), qPrintable("web/img/" + file + " unused"));
        }
    }

    // What the page tells a sign owner to look for is what the program shows.
    void quotedTextsAreTheProgramsOwn() {
        const QString text = pageText();
        const std::string port = "/dev/ttyUSB0";
        const auto refused = [&](PortRefusal reason, DeviceAccess access) {
            SendResult result;
            result.outcome = Outcome::PortNotOpened;
            result.error = Error(refusalReason(reason, access), port);
            return firstLine(outcomeBox(result, {}, port)->texto);
        };
        SendResult silent;
        silent.outcome = Outcome::SignSilent;
        SendResult lost;
        lost.outcome = Outcome::PortLost;
        lost.error = Error(kLineLostReason, port);
        LinkMeasurement slow;
        slow.roundTripMs = 16.4;
        slow.exchanges = 1000;
        const QStringList quoted = {
            kConnectedTitle,
            QString::fromStdString(noConnectionBox().title),
            firstLine(noConnectionBox().texto),
            QString::fromStdString(dataErrorBox().title),
            firstLine(outcomeBox(silent, {}, port)->texto),
            firstLine(outcomeBox(lost, {}, port)->texto),
            refused(PortRefusal::Denied, {false, "dialout"}),
            refused(PortRefusal::Denied, {true, "dialout"}),
            refused(PortRefusal::NotFound, {}),
            QString::fromStdString(slowLinkAdvice(slow, port, {}, AdviceSystem::Linux)->title),
            QString::fromStdString(estimateCaption(slow)).section(':', 0, 0),
            QString::fromStdString(timeLeftCaption(12)).section(' ', 0, 0),
        };
        for (const QString& quote : quoted) {
            QVERIFY2(text.contains(quote.simplified()), qPrintable(quote));
        }
    }

    // Menu paths ("Ejecucion › Simular todo") and buttons the page names are there to be used.
    void menusAndButtonsItNamesExist() {
        openMainWindow();
        const QStringList paths = captured("<span class=\"menu\">([^<]+)</span>");
        QVERIFY(paths.size() >= 3);
        for (const QString& path : paths) {
            const QStringList steps = path.split(QChar(0x203A));
            QList<QAction*> actions = main_->menuBar()->actions();
            bool found = true;
            for (const QString& step : steps) {
                const auto at = std::find_if(actions.begin(), actions.end(), [&](QAction* a) {
                    return withoutShortcut(a->text()) == step.trimmed();
                });
                found = at != actions.end();
                if (!found) {
                    break;
                }
                actions = (*at)->menu() != nullptr ? (*at)->menu()->actions() : QList<QAction*>{};
            }
            QVERIFY2(found, qPrintable(path));
        }
        QPointer<Form1> window = openTransmissionWindow();
        QVERIFY(window);
        QStringList buttons;
        const std::array<const QWidget*, 2> windows = {main_.get(), window.data()};
        for (const QWidget* top : windows) {
            for (const QPushButton* button : top->findChildren<QPushButton*>()) {
                buttons << withoutShortcut(button->text());
            }
        }
        delete window.data();
        const QStringList named = captured("<span class=\"boton\">([^<]+)</span>");
        QVERIFY(named.size() >= 3);
        for (const QString& button : named) {
            QVERIFY2(buttons.contains(button), qPrintable(button));
        }
    }
};

QTEST_MAIN(QuickStartTest)
#include "test_quick_start.moc"
