// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real program's main window in a private X server: where its controls are, and the
// steps every scenario takes.
#include "sign_reading.hpp"
#include "x_session.hpp"

#include <QDeadlineTimer>

// Client-area positions of the main window's controls (the layout's twips / 15).
inline const QPoint kNuevo(18 + 6, 8 + 12);
inline const QPoint kAbrir(56 + 30, 8 + 12);
inline const QPoint kGuardar(96 + 30, 8 + 12);
inline const QPoint kDrawingMode(376 + 20, 8 + 12);
inline const QPoint kTextMode(416 + 20, 8 + 12);
inline const QPoint kMayuscula(472 + 20, 8 + 12);
inline const QPoint kPlay(536 + 30, 8 + 12);
inline const QPoint kConfigurar(600 + 30, 8 + 12);
inline const QPoint kSerial(728 + 20, 8 + 12);
inline const QPoint kFont5x7(8 + 64 + 10, 168 + 16 + 8);
inline const QPoint kPerRow(8 + 88 + 10, 216 + 16 + 8);
inline const QPoint kLstcodigo(328 + 20, 176 + 10);
inline const QPoint kText1(368 + 200, 176 + 11);
inline const QPoint kAdicionar(392 + 40, 216 + 12);

struct MainWindow {
    XSession x;
    QPoint sign{-1, -1};
    QPoint client;
    QImage shot;

    // Starts the program and finds its sign on the screen. A window is shown before it is
    // painted, and on a loaded machine the first paint can come seconds later.
    bool start(const QStringList& arguments = {}) {
        if (!x.launch(arguments)) {
            return false;
        }
        QDeadlineTimer deadline(60000);
        do {
            shot = x.stableScreenshot();
            sign = x.signOrigin(shot);
        } while (sign.x() < 0 && !deadline.hasExpired());
        client = sign - QPoint(8, 48);
        return sign.x() >= 0;
    }
    void click(QPoint inClient) { x.click(client + inClient); }
    // Once the program has settled: how the sign differs from `want` (empty when it does
    // not). The screenshot is kept under `name`.
    // A loaded machine may take longer than one settling to act on the last input, so a
    // difference is looked at again until `timeoutMs` has passed.
    QString differs(const LedGrid& want, const QString& name, QColor lit = QColor(220, 220, 220),
                    int timeoutMs = 30000) {
        QDeadlineTimer deadline(timeoutMs);
        QString difference;
        do {
            shot = x.stableScreenshot();
            difference = differences(shot, sign, want, lit);
        } while (!difference.isEmpty() && !deadline.hasExpired());
        x.keepScreenshot(name);
        return difference;
    }
    // Types a path into the file dialog that `button` opens; false when no dialog titled
    // exactly `title` came up (Qt's own dialogs, whose titles and buttons are Spanish).
    bool chooseFile(QPoint button, const QString& title, const QString& path) {
        click(button);
        if (!x.waitForWindow("^" + title + "$")) {
            return false;
        }
        x.stableScreenshot(); // its name field focused
        x.key("ctrl+a");      // the last file's name, proposed, is replaced
        x.type(path);
        x.key("Return");
        x.stableScreenshot();
        return true;
    }
};
