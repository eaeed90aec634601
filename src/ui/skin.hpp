// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"

#include <QColor>
#include <QPalette>
#include <QString>

#include <string>

class QWidget;

namespace lumivel {

// The skin component each window carries: loads a skin file, applies it to a window and
// reports the skin's colour. A missing or unreadable file keeps the current look.
class Skin {
  public:
    // The colour reported while no skin has been loaded.
    static QColor defaultColor() { return QColor(0x9F, 0x9F, 0x9F); }

    // Fails, changing nothing, when the file is missing, unreadable or refused; the
    // error says which line and why.
    Result<void> cargar(const QString& path);
    // Gives the window (and its children) the loaded skin's palette and style sheet.
    // Before any skin has loaded it leaves the window as it is.
    void aplicar(QWidget* window) const;
    QColor color() const { return color_; }

    bool loaded() const { return loaded_; }
    const QString& name() const { return name_; }
    const QString& path() const { return path_; }

  private:
    QColor color_ = defaultColor();
    QString styleSheet_;
    QPalette palette_;
    QString name_;
    QString path_;
    bool loaded_ = false;
};

// Loads the skin file `archivoskin` into the main window's component, then applies it
// to `window`. A file that cannot be loaded keeps the look and is reported on stderr.
void aplicarskin(Skin& skin, QWidget* window, const std::string& archivoskin);

} // namespace lumivel
