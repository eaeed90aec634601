// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"

#include <QObject>
#include <QString>

#include <functional>

class QMenu;

namespace lumivel {

// The "Archivos recientes" submenu: the message files opened or saved last, in this run or
// an earlier one, most recent first. Choosing one opens it through `open`, as "Abrir" does
// once a file is chosen; a file that is gone is said so and dropped from the list.
class RecentFilesMenu : public QObject {
    Q_OBJECT
  public:
    RecentFilesMenu(QMenu& menu, Dialogs& d, std::function<void(const QString&)> open,
                    QObject* parent = nullptr);

  public slots:
    // `path` became the open message file.
    void add(const QString& path);

  private:
    void rebuild();
    void choose(const QString& path);

    QMenu& menu_;
    Dialogs& d_;
    std::function<void(const QString&)> open_;
};

} // namespace lumivel
