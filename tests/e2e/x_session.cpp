// SPDX-License-Identifier: GPL-3.0-or-later
#include "x_session.hpp"

#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

void pause(int ms) {
    // Polling interval while waiting on another process's output; the deadline bounds it.
    QThread::msleep(static_cast<unsigned long>(ms));
}

// Whether an X server answers on display `number`: the socket file may exist before the
// server accepts connections, or be left from a server that has gone, so only a completed
// connection setup counts.
bool answersX11(int number) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "/tmp/.X11-unix/X%d", number);
    // Byte order 'l', protocol 11.0, no authorisation (Xvfb is started without any).
    const unsigned char setup[12] = {'l', 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    bool answered = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::send(fd, setup, sizeof setup, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof setup)) {
        pollfd reply{fd, POLLIN, 0};
        unsigned char status = 0;
        // The first byte of the reply: 1 is "connection accepted".
        answered = ::poll(&reply, 1, 5000) == 1 && ::read(fd, &status, 1) == 1 && status == 1;
    }
    ::close(fd);
    return answered;
}

} // namespace

XSession::XSession() {
    startServer();
}

void XSession::startServer() {
    stopServer();
    started_ = false;
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
    while (!deadline.hasExpired() && server_->state() == QProcess::Running) {
        if (answersX11(number)) {
            started_ = true;
            return;
        }
        pause(20);
    }
}

void XSession::stopServer() {
    if (server_ && server_->state() != QProcess::NotRunning) {
        server_->terminate();
        if (!server_->waitForFinished(5000)) {
            server_->kill();
            server_->waitForFinished(5000);
        }
    }
}

XSession::~XSession() {
    // A failed test leaves what the screen last showed in the test's own TMPDIR.
    if (QTest::currentTestFailed() && QTest::currentTestFunction() != nullptr) {
        screenshot();
        keepScreenshot(QString("failed_%1").arg(QTest::currentTestFunction()));
    }
    if (program_ && program_->state() != QProcess::NotRunning) {
        program_->kill();
        program_->waitForFinished(5000);
    }
    stopServer();
}

bool XSession::launch(const QStringList& arguments) {
    // Another X server starting or stopping beside this one (a developer's desktop, tests run
    // side by side) can still take the display away from a program just started. A program
    // that ends before showing its window could not reach its display: the server and the
    // program start again, a few times, before that counts as a failure.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0 || !started_) {
            startServer();
        }
        if (!started_) {
            continue;
        }
        program_ = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        env.remove("QT_QPA_PLATFORM");
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        env.insert("XDG_CONFIG_HOME", config_.path());
        program_->setProcessEnvironment(env);
        program_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program_->start(qEnvironmentVariable("SIMLUMIVEL"), arguments);
        if (!program_->waitForStarted(10000)) {
            return false;
        }
        // Generous: a sanitizer build starting on a busy machine; the wait ends at the window.
        QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired() && program_->state() == QProcess::Running) {
            if (windowShown("SimLumivel")) {
                return true;
            }
            // Waiting on the process, not sleeping: QProcess notices the program's end only
            // while it waits, and a program that could not reach its display ends at once.
            program_->waitForFinished(50);
        }
        if (program_->state() == QProcess::Running) {
            return false; // it reached its display and still showed no window
        }
        qWarning("the program ended before its window showed; starting the X server again");
    }
    return false;
}

bool XSession::waitForExit(int timeoutMs) {
    // waitForFinished is false for a process already seen to end.
    return program_ &&
           (program_->state() == QProcess::NotRunning || program_->waitForFinished(timeoutMs));
}

bool XSession::windowShown(const QString& namePattern) {
    return !xdotool({"search", "--onlyvisible", "--name", namePattern}).trimmed().isEmpty();
}

bool XSession::waitForWindow(const QString& namePattern, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (windowShown(namePattern)) {
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
        last_.save(QDir(QDir::tempPath()).filePath(name + ".png"));
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
