#include "x_session.hpp"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

void pause(int ms) {
    // Polling interval while waiting on another process's output; the deadline bounds it.
    QThread::msleep(static_cast<unsigned long>(ms));
}

} // namespace

XSession::XSession() {
    // Xvfb picks a free display itself and writes its number on -displayfd, so tests running
    // side by side never race for the same number.
    server_ = std::make_unique<QProcess>();
    server_->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (!server_->waitForStarted(5000)) {
        return;
    }
    QDeadlineTimer deadline(15000);
    while (!server_->canReadLine() && !deadline.hasExpired() &&
           server_->state() == QProcess::Running) {
        server_->waitForReadyRead(100);
    }
    bool ok = false;
    const int number = QString::fromUtf8(server_->readLine()).trimmed().toInt(&ok);
    if (!ok) {
        return;
    }
    display_ = QString(":%1").arg(number);
    const QString socket = "/tmp/.X11-unix/X" + QString::number(number);
    while (!QFile::exists(socket) && !deadline.hasExpired()) {
        pause(20);
    }
    started_ = QFile::exists(socket);
}

XSession::~XSession() {
    // A failed test leaves what the screen last showed next to the test binary.
    if (QTest::currentTestFailed() && QTest::currentTestFunction() != nullptr) {
        screenshot();
        keepScreenshot(QString("failed_%1").arg(QTest::currentTestFunction()));
    }
    if (program_ && program_->state() != QProcess::NotRunning) {
        program_->kill();
        program_->waitForFinished(5000);
    }
    if (server_ && server_->state() != QProcess::NotRunning) {
        server_->terminate();
        if (!server_->waitForFinished(5000)) {
            server_->kill();
            server_->waitForFinished(5000);
        }
    }
}

bool XSession::launch(const QStringList& arguments) {
    program_ = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display_);
    env.remove("QT_QPA_PLATFORM");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    env.insert("XDG_CONFIG_HOME", config_.path());
    program_->setProcessEnvironment(env);
    program_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program_->start(qEnvironmentVariable("SIMLUMIVEL"), arguments);
    return program_->waitForStarted(10000) && waitForWindow("SimLumivel");
}

bool XSession::waitForExit(int timeoutMs) {
    // waitForFinished is false for a process already seen to end.
    return program_ &&
           (program_->state() == QProcess::NotRunning || program_->waitForFinished(timeoutMs));
}

bool XSession::waitForWindow(const QString& namePattern, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (!xdotool({"search", "--onlyvisible", "--name", namePattern}).trimmed().isEmpty()) {
            return true;
        }
        pause(50);
    }
    return false;
}

QString XSession::xdotool(const QStringList& args) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display_);
    tool.setProcessEnvironment(env);
    tool.start("xdotool", args);
    tool.waitForFinished(10000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

QRect XSession::windowGeometry(const QString& namePattern) {
    const QStringList ids =
        xdotool({"search", "--onlyvisible", "--name", namePattern}).split('\n', Qt::SkipEmptyParts);
    if (ids.isEmpty()) {
        return {};
    }
    QRect geometry;
    for (const QString& line : xdotool({"getwindowgeometry", "--shell", ids.front()}).split('\n')) {
        const QStringList pair = line.split('=');
        if (pair.size() != 2) {
            continue;
        }
        const int value = pair[1].toInt();
        if (pair[0] == "X") {
            geometry.moveLeft(value);
        } else if (pair[0] == "Y") {
            geometry.moveTop(value);
        } else if (pair[0] == "WIDTH") {
            geometry.setWidth(value);
        } else if (pair[0] == "HEIGHT") {
            geometry.setHeight(value);
        }
    }
    return geometry;
}

std::vector<QImage> XSession::captureBurst(int ms) {
    QTemporaryDir dir;
    QStringList files;
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        const QString file = dir.filePath(QString("burst%1.xwd").arg(files.size()));
        QProcess xwd;
        xwd.setStandardOutputFile(file);
        xwd.start("xwd", {"-display", display_, "-root", "-silent"});
        xwd.waitForFinished(10000);
        files << file;
    }
    std::vector<QImage> shots;
    for (const QString& file : files) {
        const QString png = file + ".png";
        QProcess convert;
        convert.start("convert", {"xwd:" + file, png});
        convert.waitForFinished(20000);
        shots.push_back(QImage(png).convertToFormat(QImage::Format_RGB32));
    }
    return shots;
}

void XSession::click(QPoint screen) {
    xdotool({"mousemove", "--sync", QString::number(screen.x()), QString::number(screen.y())});
    xdotool({"click", "1"});
}

void XSession::type(const QString& text) {
    xdotool({"type", "--delay", "30", text});
}

void XSession::key(const QString& keys) {
    xdotool({"key", keys});
}

QImage XSession::screenshot() {
    QTemporaryDir dir;
    const QString file = dir.filePath("shot.png");
    QProcess import;
    import.start("import", {"-display", display_, "-window", "root", file});
    import.waitForFinished(20000);
    last_ = QImage(file).convertToFormat(QImage::Format_RGB32);
    return last_;
}

QImage XSession::stableScreenshot(int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QImage previous = screenshot();
    while (!deadline.hasExpired()) {
        pause(150);
        QImage next = screenshot();
        if (next == previous) {
            return next;
        }
        previous = next;
    }
    return previous;
}

void XSession::keepScreenshot(const QString& name) {
    if (!last_.isNull()) {
        last_.save(QDir(QCoreApplication::applicationDirPath()).filePath(name + ".png"));
    }
}

QPoint XSession::signOrigin(const QImage& shot) {
    // The first LED centre: an unlit (80,80,80) or lit centre with black 6 px to its left
    // and above, the sign's background.
    for (int y = 6; y < shot.height() - 6; ++y) {
        for (int x = 6; x < shot.width() - 6; ++x) {
            const QColor c = shot.pixelColor(x, y);
            if (c.red() != c.green() || c.green() != c.blue() || c.red() < 80) {
                continue;
            }
            if (shot.pixelColor(x - 6, y) == Qt::black && shot.pixelColor(x, y - 6) == Qt::black &&
                shot.pixelColor(x - 6, y - 6) == Qt::black &&
                shot.pixelColor(x + 6, y + 6) == Qt::black) {
                return {x - 6, y - 6};
            }
        }
    }
    return {-1, -1};
}
