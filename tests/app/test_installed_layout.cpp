// SPDX-License-Identifier: GPL-3.0-or-later
// Installs the build into a temporary prefix and checks that the installed program is
// laid out the way it looks for its data and runs from bin/, and that its manual page
// documents every subcommand and option the program's own usage text names.
#include "appearance/skin_table.hpp"
#include "appearance/web_page.hpp"
#include "ui/data_folder.hpp"

#include "support/command_line.hpp"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/inotify.h>
#include <unistd.h>

#include <poll.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The manual page's text with roff's escaped hyphens plain, split at its subsections:
// the part before the first ".SS" under "", each subcommand's under its name.
QMap<QString, QString> manualSections(const QString& gzipped) {
    QProcess gunzip;
    gunzip.start("gzip", {"-dc", gzipped});
    gunzip.waitForFinished();
    const QString page = QString::fromUtf8(gunzip.readAllStandardOutput()).replace("\\-", "-");
    QMap<QString, QString> sections;
    QString name;
    for (const QString& line : page.split('\n')) {
        if (line.startsWith(".SS ")) {
            name = line.mid(4).trimmed();
        }
        sections[name] += line + '\n';
    }
    return sections;
}

// Whether the program, started as `program` from elsewhere, opens `name` inside `folder`
// within a minute, seen with inotify.
bool opensFrom(const QString& program, const QString& folder, const QByteArray& name) {
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0 || inotify_add_watch(fd, QFile::encodeName(folder).constData(), IN_OPEN) < 0) {
        return false;
    }
    QTemporaryDir elsewhere;
    QProcess window;
    window.setWorkingDirectory(elsewhere.path());
    window.start(program, {});
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
    QString dataDir_;
    QString program_;

  private slots:
    void initTestCase() {
        QVERIFY(prefix_.isValid());
        const lumivel::test::Output install = lumivel::test::run(
            {"--install", LUMIVEL_BUILD_DIR, "--prefix", prefix_.path()}, {}, LUMIVEL_CMAKE);
        QVERIFY2(install.code == 0, install.err.c_str());
        dataDir_ = prefix_.filePath(QStringLiteral("share/simlumivel"));
        program_ = prefix_.filePath(QStringLiteral("bin/simlumivel"));
    }

    void binHoldsTheProgramItself() {
        QVERIFY(!QFileInfo(program_).isSymLink() && QFileInfo(program_).isExecutable());
        QCOMPARE(QDir(prefix_.filePath("bin"))
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList{"simlumivel"});
    }

    // Beside the executable in the build tree; installed, share/ reached from bin/. The
    // skins themselves are checked in the source tree; here only that they are installed.
    void dataIsWhereTheProgramLooks() {
        const std::string buildFolder = QFileInfo(lumivel::test::program()).path().toStdString();
        QCOMPARE(lumivel::dataFolder(buildFolder), buildFolder);
        QCOMPARE(QString::fromStdString(lumivel::dataFolder(prefix_.filePath("bin").toStdString())),
                 QDir::cleanPath(dataDir_));
        const std::string dir = dataDir_.toStdString();
        std::vector<std::string> paths = {lumivel::defaultSkinPath(dir), lumivel::webPagePath(dir)};
        for (int i = 0; i < static_cast<int>(lumivel::kSkins.size()); ++i) {
            paths.push_back(*lumivel::skinPath(dir, i));
        }
        for (const std::string& path : paths) {
            QVERIFY2(!readAll(QString::fromStdString(path)).isEmpty(), path.c_str());
        }
    }

    void desktopEntryAndMetainfoDescribeTheProgram() {
        const QString id = QStringLiteral("io.github.simlumivel.SimLumivel");
        const QStringList lines =
            QString::fromUtf8(readAll(prefix_.filePath("share/applications/" + id + ".desktop")))
                .split('\n');
        QVERIFY(lines.contains("Exec=simlumivel %f") && lines.contains("Icon=simlumivel"));
        QVERIFY(lines.contains("MimeType=application/x-simlumivel-mensaje;"));
        const QByteArray metainfo =
            readAll(prefix_.filePath("share/metainfo/" + id + ".metainfo.xml"));
        QVERIFY(metainfo.contains("<id>" + id.toUtf8() + "</id>"));
        QVERIFY(metainfo.contains("<launchable type=\"desktop-id\">" + id.toUtf8() + ".desktop<"));
        QVERIFY(metainfo.contains("<mediatype>application/x-simlumivel-mensaje</mediatype>"));
        QVERIFY(readAll(prefix_.filePath("share/mime/packages/simlumivel-mensaje.xml"))
                    .contains(R"(<glob pattern="*.men"/>)"));
        QVERIFY(QSvgRenderer(prefix_.filePath("share/icons/hicolor/scalable/apps/simlumivel.svg"))
                    .isValid());
    }

    void manualPageNamesEverySubcommandAndOption() {
        const QMap<QString, QString> sections =
            manualSections(prefix_.filePath("share/man/man1/simlumivel.1.gz"));
        QVERIFY(sections.value("").contains(".TH SIMLUMIVEL 1"));
        static const QRegularExpression option("--[a-z][a-z-]*");
        const QString usage = QString::fromStdString(lumivel::test::runCli({"--help"}).out);
        for (QString line : usage.split('\n').filter(QRegularExpression("^  simlumivel "))) {
            line = line.mid(13);
            // A subcommand's options are looked for in its own subsection.
            const QString name = line.startsWith("--") ? QString() : line.section(' ', 0, 0);
            QVERIFY2(sections.contains(name), qPrintable(name));
            for (const auto& match : option.globalMatch(line)) {
                QVERIFY2(sections[name].contains(match.captured()),
                         qPrintable(name + " " + match.captured()));
            }
        }
    }

    void runsFromAnyFolder() {
        using lumivel::test::run;
        QTemporaryDir elsewhere;
        const auto installed = run({"render", "HOLA"}, elsewhere.path(), program_);
        QVERIFY2(installed.code == 0, installed.err.c_str());
        QCOMPARE(installed.out, run({"render", "HOLA"}).out);
    }

    void windowReadsItsSkinFromTheDataFolder() {
        QVERIFY(opensFrom(program_, dataDir_, lumivel::kDefaultSkin));
    }
};

QTEST_GUILESS_MAIN(InstalledLayoutTest)
#include "test_installed_layout.moc"
