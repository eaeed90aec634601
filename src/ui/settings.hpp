// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "display/sign_surface.hpp"

#include <QSettings>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace lumivel {

// What the program remembers from one run to the next, in the user's settings file
// ($XDG_CONFIG_HOME/SimLumivel/SimLumivel.conf on Linux). A value that is missing,
// unreadable or out of range reads as nothing, so the built-in default stays in force.
class Settings {
  public:
    Settings();

    static constexpr int kMaxRecentFiles = 5;

    // The skin file, relative to the program's folder, as the skin table names it.
    std::optional<std::string> skin() const;
    void setSkin(const std::string& archivo);

    std::optional<Rgb> ledColor() const;
    void setLedColor(Rgb color);

    // The device the transmission window sent to last; empty when none.
    QString port() const;
    void setPort(const QString& device);

    // The file last chosen in an open or save dialog of that kind; empty when none.
    QString lastFile(FileMemory kind) const;
    void setLastFile(FileMemory kind, const QString& path);

    // Most recent first, at most kMaxRecentFiles, no repeats.
    QStringList recentFiles() const;
    // Puts `path` first, dropping it from further down and the oldest past the limit.
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);

  private:
    void setRecentFiles(const QStringList& files);

    QSettings settings_;
};

} // namespace lumivel
