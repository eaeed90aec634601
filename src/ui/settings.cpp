// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings.hpp"

#include <QRegularExpression>

namespace lumivel {
namespace {

const QString kSkinKey = QStringLiteral("appearance/skin");
const QString kLedColorKey = QStringLiteral("appearance/ledColor");
const QString kPortKey = QStringLiteral("transmission/port");
QString lastFileKey(FileMemory kind) {
    switch (kind) {
    case FileMemory::Images:
        return QStringLiteral("files/lastImage");
    case FileMemory::Exports:
        return QStringLiteral("files/lastExport");
    case FileMemory::Messages:
        break;
    }
    return QStringLiteral("files/lastChosen");
}
const QString kRecentKey = QStringLiteral("files/recent");

// A value stored as anything but text (a list, a hand-edited group) reads as empty.
QString text(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    return value.canConvert<QString>() ? value.toString().trimmed() : QString();
}

} // namespace

Settings::Settings()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("SimLumivel"),
                QStringLiteral("SimLumivel")) {}

std::optional<std::string> Settings::skin() const {
    const QString archivo = text(settings_, kSkinKey);
    if (archivo.isEmpty()) {
        return std::nullopt;
    }
    return archivo.toStdString();
}

void Settings::setSkin(const std::string& archivo) {
    settings_.setValue(kSkinKey, QString::fromStdString(archivo));
}

// "#rrggbb": readable in the file, and checked like anything written there by hand.
std::optional<Rgb> Settings::ledColor() const {
    static const QRegularExpression kHexColor(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    const QString value = text(settings_, kLedColorKey);
    if (!kHexColor.match(value).hasMatch()) {
        return std::nullopt;
    }
    const uint rgb = value.mid(1).toUInt(nullptr, 16);
    return Rgb{static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
               static_cast<int>(rgb & 0xFF)};
}

void Settings::setLedColor(Rgb color) {
    const auto hex = [](int v) { return QStringLiteral("%1").arg(v & 0xFF, 2, 16, QChar('0')); };
    settings_.setValue(kLedColorKey, "#" + hex(color.r) + hex(color.g) + hex(color.b));
}

QString Settings::port() const {
    return text(settings_, kPortKey);
}

void Settings::setPort(const QString& device) {
    settings_.setValue(kPortKey, device.trimmed());
}

QString Settings::lastFile(FileMemory kind) const {
    return text(settings_, lastFileKey(kind));
}

void Settings::setLastFile(FileMemory kind, const QString& path) {
    settings_.setValue(lastFileKey(kind), path);
}

QStringList Settings::recentFiles() const {
    QStringList files;
    for (const QString& file : settings_.value(kRecentKey).toStringList()) {
        if (!file.trimmed().isEmpty() && !files.contains(file) && files.size() < kMaxRecentFiles) {
            files << file;
        }
    }
    return files;
}

void Settings::addRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    setRecentFiles(files.mid(0, kMaxRecentFiles));
}

void Settings::removeRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    setRecentFiles(files);
}

void Settings::setRecentFiles(const QStringList& files) {
    settings_.setValue(kRecentKey, files);
}

} // namespace lumivel
