// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

// A private X server (Xvfb) on a free display number with the real simlumivel running in it,
// driven by xdotool and looked at through screenshots, as a person would.
class XSession {
  public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts simlumivel and waits for its main window (on a new server when the program could
    // not reach the display). Its settings folder is the session's
    // own: empty at the first launch, kept for a launch after the program has ended.
    bool launch(const QStringList& arguments = {});
    // Waits for the program to end by itself (after "Salir").
    bool waitForExit(int timeoutMs = 30000);
    bool waitForWindow(const QString& namePattern, int timeoutMs = 20000);
    // Runs xdotool with `args`; returns its standard output.
    QString xdotool(const QStringList& args);
    void click(QPoint screen);
    void type(const QString& text);
    void key(const QString& keys);
    QImage screenshot();
    // Saves the last screenshot in the test's TMPDIR, named after the step or the failed test.
    void keepScreenshot(const QString& name);
    // Top-left corner of the sign surface on the screen, found from its first LED.
    QPoint signOrigin(const QImage& shot);
    // Screen rectangle of the first visible window whose name matches, or an empty rect.
    QRect windowGeometry(const QString& namePattern);
    // Screenshots taken back to back for `ms` milliseconds (decoded afterwards, so the
    // captures come as fast as the X server allows).
    std::vector<QImage> captureBurst(int ms);
    // Lets the program settle: waits until two screenshots in a row are identical.
    QImage stableScreenshot(int timeoutMs = 5000);

  private:
    // A new private server, started_ once it completes an X11 connection setup.
    void startServer();
    void stopServer();
    bool windowShown(const QString& namePattern);

    QString display_;
    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> program_;
    QTemporaryDir config_;
    QImage last_;
    bool started_ = false;
};
