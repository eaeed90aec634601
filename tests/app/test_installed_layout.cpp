// Installs the build into a temporary prefix and checks that the installed program is
// laid out the way it looks for its data, and runs from bin/ through the symlink.
#include "appearance/skin_file.hpp"
#include "appearance/skin_table.hpp"
#include "appearance/web_page.hpp"

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

// The build directory holding `executable`: the nearest parent with a CMakeCache.txt.
QString buildDirOf(const QString& executable) {
    QDir dir = QFileInfo(executable).absoluteDir();
    do {
        if (dir.exists(QStringLiteral("CMakeCache.txt"))) {
            return dir.absolutePath();
        }
    } while (dir.cdUp());
    return {};
}

// The cmake that configured `buildDir`, so the install matches the build.
QString cmakeOf(const QString& buildDir) {
    QFile cache(buildDir + QStringLiteral("/CMakeCache.txt"));
    if (cache.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QByteArray key = "CMAKE_COMMAND:INTERNAL=";
        while (!cache.atEnd()) {
            const QByteArray line = cache.readLine().trimmed();
            if (line.startsWith(key)) {
                return QString::fromLocal8Bit(line.mid(key.size()));
            }
        }
    }
    return QStringLiteral("cmake");
}

struct Output {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Output runProgram(const QString& program, const QStringList& args, const QString& workDir = {}) {
    QProcess process;
    if (!workDir.isEmpty()) {
        process.setWorkingDirectory(workDir);
    }
    process.start(program, args);
    Output result;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        result.err = "did not finish: " + process.errorString().toLocal8Bit();
        return result;
    }
    result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether a process opens `name` inside `folder` before the deadline, seen with inotify.
class OpenWatch {
  public:
    explicit OpenWatch(const QString& folder) {
        fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (fd_ >= 0) {
            inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_OPEN);
        }
    }
    ~OpenWatch() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    bool ready() const { return fd_ >= 0; }

    bool waitForOpen(const QByteArray& name, QDeadlineTimer deadline) {
        alignas(inotify_event) char buffer[4096];
        while (!deadline.hasExpired()) {
            pollfd pfd{fd_, POLLIN, 0};
            const qint64 left = deadline.remainingTime();
            if (poll(&pfd, 1, static_cast<int>(qMin<qint64>(left, 1000))) <= 0) {
                continue;
            }
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            for (ssize_t i = 0; i + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + i);
                if (event->len > 0 && name == event->name) {
                    return true;
                }
                i += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return false;
    }

  private:
    int fd_ = -1;
};

} // namespace

class InstalledLayoutTest : public QObject {
    Q_OBJECT

    QTemporaryDir prefix_;
    QString built_;
    QString programDir_;
    QString link_;

  private slots:
    void initTestCase() {
        built_ = qEnvironmentVariable("SIMLUMIVEL");
        QVERIFY2(QFileInfo(built_).isExecutable(), "SIMLUMIVEL does not name the built program");
        const QString buildDir = buildDirOf(built_);
        QVERIFY2(!buildDir.isEmpty(), "no CMakeCache.txt above the built program");
        QVERIFY(prefix_.isValid());
        const Output install =
            runProgram(cmakeOf(buildDir), {"--install", buildDir, "--prefix", prefix_.path()});
        QVERIFY2(install.code == 0, install.err.constData());
        programDir_ = prefix_.filePath(QStringLiteral("lib/simlumivel"));
        link_ = prefix_.filePath(QStringLiteral("bin/simlumivel"));
    }

    void binHoldsOnlyARelativeLinkToTheProgram() {
        const QFileInfo link(link_);
        QVERIFY(link.isSymLink());
        // Relative, so the tree still works when staged under DESTDIR or moved.
        QVERIFY(
            std::filesystem::read_symlink(QFile::encodeName(link_).toStdString()).is_relative());
        QCOMPARE(QFileInfo(QFile::symLinkTarget(link_)).canonicalFilePath(),
                 QFileInfo(programDir_ + QStringLiteral("/simlumivel")).canonicalFilePath());
        QVERIFY(QFileInfo(programDir_ + QStringLiteral("/simlumivel")).isExecutable());
        const QStringList inBin =
            QDir(prefix_.filePath(QStringLiteral("bin")))
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
        QCOMPARE(inBin, QStringList{QStringLiteral("simlumivel")});
        QVERIFY2(readAll(link_).size() > 0, "the link does not resolve");
    }

    void dataIsWhereTheProgramLooks_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("skin");
        const std::string dir = programDir_.toStdString();
        QTest::newRow("default skin")
            << QString::fromStdString(lumivel::rutaSkinPorDefecto(dir)) << true;
        for (int i = 0; i < static_cast<int>(lumivel::kSkins.size()); ++i) {
            const auto& entry = lumivel::kSkins.at(static_cast<std::size_t>(i));
            QTest::newRow(entry.titulo)
                << QString::fromStdString(*lumivel::rutaSkin(dir, i)) << true;
        }
        QTest::newRow("web page") << QString::fromStdString(lumivel::rutaPaginaWeb(dir)) << false;
    }

    void dataIsWhereTheProgramLooks() {
        QFETCH(QString, path);
        QFETCH(bool, skin);
        const QByteArray bytes = readAll(path);
        QVERIFY2(!bytes.isEmpty(), qPrintable(path + QStringLiteral(" is missing or empty")));
        if (skin) {
            QVERIFY2(lumivel::leerSkin(std::string_view(bytes.constData(), bytes.size())).ok(),
                     qPrintable(path));
        }
    }

    void pageImagesAreInstalledWithThePage() {
        // The page refers to its screenshots by relative paths under web/.
        const QString page =
            QString::fromStdString(lumivel::rutaPaginaWeb(programDir_.toStdString()));
        const QString html = QString::fromUtf8(readAll(page));
        static const QRegularExpression src(QStringLiteral("src=\"([^\"]+)\""));
        auto it = src.globalMatch(html);
        while (it.hasNext()) {
            const QString ref = it.next().captured(1);
            if (ref.contains(QStringLiteral("://"))) {
                continue;
            }
            QVERIFY2(QFileInfo(QFileInfo(page).dir().filePath(ref)).isFile(), qPrintable(ref));
        }
    }

    void desktopEntryStartsTheProgramWithItsIcon() {
        const QString entry = QString::fromUtf8(
            readAll(prefix_.filePath(QStringLiteral("share/applications/simlumivel.desktop"))));
        QVERIFY(entry.startsWith(QStringLiteral("[Desktop Entry]")));
        const QStringList lines = entry.split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral("Type=Application")));
        QVERIFY(lines.contains(QStringLiteral("Exec=simlumivel")));
        QVERIFY(lines.contains(QStringLiteral("Icon=simlumivel")));
        QSvgRenderer icon(
            prefix_.filePath(QStringLiteral("share/icons/hicolor/scalable/apps/simlumivel.svg")));
        QVERIFY(icon.isValid());
    }

    void runsThroughTheLinkFromAnyFolder() {
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        const Output installed = runProgram(link_, {"render", "HOLA"}, elsewhere.path());
        QVERIFY2(installed.code == 0, installed.err.constData());
        const Output reference = runProgram(built_, {"render", "HOLA"});
        QCOMPARE(reference.code, 0);
        QCOMPARE(installed.out, reference.out);
        QCOMPARE(installed.out.count('\n'), 8);

        const Output version = runProgram(link_, {"--version"}, elsewhere.path());
        QCOMPARE(version.code, 0);
        QVERIFY(version.out.startsWith("simlumivel "));
    }

    void windowStartedThroughTheLinkReadsItsSkinFromItsOwnFolder() {
        OpenWatch watch(programDir_);
        QVERIFY(watch.ready());
        QProcess window;
        QTemporaryDir elsewhere;
        window.setWorkingDirectory(elsewhere.path());
        window.start(link_, {});
        QVERIFY2(window.waitForStarted(), qPrintable(window.errorString()));
        const bool opened = watch.waitForOpen(lumivel::kSkinPorDefecto, QDeadlineTimer(60000));
        window.kill();
        window.waitForFinished();
        QVERIFY2(opened, window.readAllStandardError().constData());
    }
};

QTEST_GUILESS_MAIN(InstalledLayoutTest)
#include "test_installed_layout.moc"
