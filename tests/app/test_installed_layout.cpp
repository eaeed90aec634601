// Installs the build into a temporary prefix and checks that the installed program is
// laid out the way it looks for its data, and runs from bin/ through the symlink.
#include "appearance/skin_table.hpp"
#include "appearance/web_page.hpp"

#include "support/command_line.hpp"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

#include <sys/inotify.h>
#include <unistd.h>

#include <poll.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether the program, started through `link` from elsewhere, opens `name` inside `folder`
// within a minute, seen with inotify.
bool opensFrom(const QString& link, const QString& folder, const QByteArray& name) {
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0 || inotify_add_watch(fd, QFile::encodeName(folder).constData(), IN_OPEN) < 0) {
        return false;
    }
    QTemporaryDir elsewhere;
    QProcess window;
    window.setWorkingDirectory(elsewhere.path());
    window.start(link, {});
    bool opened = false;
    alignas(inotify_event) char buffer[4096];
    for (QDeadlineTimer deadline(60000); !opened && !deadline.hasExpired();) {
        pollfd pfd{fd, POLLIN, 0};
        if (poll(&pfd, 1, 1000) <= 0) {
            continue;
        }
        const ssize_t n = read(fd, buffer, sizeof buffer);
        for (ssize_t i = 0; i + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + i);
            opened = opened || (event->len > 0 && name == event->name);
            i += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    window.kill();
    window.waitForFinished();
    close(fd);
    return opened;
}

} // namespace

class InstalledLayoutTest : public QObject {
    Q_OBJECT

    QTemporaryDir prefix_;
    QString programDir_;
    QString link_;

  private slots:
    void initTestCase() {
        QVERIFY(prefix_.isValid());
        const lumivel::test::Output install = lumivel::test::run(
            {"--install", LUMIVEL_BUILD_DIR, "--prefix", prefix_.path()}, {}, LUMIVEL_CMAKE);
        QVERIFY2(install.code == 0, install.err.c_str());
        programDir_ = prefix_.filePath(QStringLiteral("lib/simlumivel"));
        link_ = prefix_.filePath(QStringLiteral("bin/simlumivel"));
    }

    // Relative, so the tree still works when staged under DESTDIR or moved.
    void binHoldsOnlyARelativeLinkToTheProgram() {
        QVERIFY(std::filesystem::read_symlink(link_.toStdString()).is_relative());
        QCOMPARE(QFileInfo(link_).canonicalFilePath(),
                 QFileInfo(programDir_ + "/simlumivel").canonicalFilePath());
        QCOMPARE(QDir(prefix_.filePath("bin"))
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList{"simlumivel"});
    }

    // The skins themselves are checked in the source tree; here only that they are installed.
    void dataIsWhereTheProgramLooks() {
        const std::string dir = programDir_.toStdString();
        std::vector<std::string> paths = {lumivel::defaultSkinPath(dir), lumivel::webPagePath(dir)};
        for (int i = 0; i < static_cast<int>(lumivel::kSkins.size()); ++i) {
            paths.push_back(*lumivel::skinPath(dir, i));
        }
        for (const std::string& path : paths) {
            QVERIFY2(!readAll(QString::fromStdString(path)).isEmpty(), path.c_str());
        }
    }

    void desktopEntryStartsTheProgramWithItsIcon() {
        const QStringList lines =
            QString::fromUtf8(readAll(prefix_.filePath("share/applications/simlumivel.desktop")))
                .split('\n');
        QVERIFY(lines.contains("Exec=simlumivel %f") && lines.contains("Icon=simlumivel"));
        QVERIFY(lines.contains("MimeType=application/x-simlumivel-mensaje;"));
        QVERIFY(readAll(prefix_.filePath("share/mime/packages/simlumivel-mensaje.xml"))
                    .contains(R"(<glob pattern="*.men"/>)"));
        QVERIFY(QSvgRenderer(prefix_.filePath("share/icons/hicolor/scalable/apps/simlumivel.svg"))
                    .isValid());
    }

    void runsThroughTheLinkFromAnyFolder() {
        using lumivel::test::run;
        QTemporaryDir elsewhere;
        const auto installed = run({"render", "HOLA"}, elsewhere.path(), link_);
        QVERIFY2(installed.code == 0, installed.err.c_str());
        QCOMPARE(installed.out, run({"render", "HOLA"}).out);
    }

    void windowStartedThroughTheLinkReadsItsSkinFromItsOwnFolder() {
        QVERIFY(opensFrom(link_, programDir_, lumivel::kDefaultSkin));
    }
};

QTEST_GUILESS_MAIN(InstalledLayoutTest)
#include "test_installed_layout.moc"
