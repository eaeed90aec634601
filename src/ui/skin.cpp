// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin.hpp"

#include "appearance/skin_file.hpp"

#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include <array>
#include <iostream>
#include <utility>

namespace lumivel {
namespace {

QColor qcolor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

const std::array<std::pair<std::string_view, QPalette::ColorRole>, 16> kRoles = {{
    {"Window", QPalette::Window},
    {"WindowText", QPalette::WindowText},
    {"Base", QPalette::Base},
    {"AlternateBase", QPalette::AlternateBase},
    {"Text", QPalette::Text},
    {"Button", QPalette::Button},
    {"ButtonText", QPalette::ButtonText},
    {"BrightText", QPalette::BrightText},
    {"Highlight", QPalette::Highlight},
    {"HighlightedText", QPalette::HighlightedText},
    {"ToolTipBase", QPalette::ToolTipBase},
    {"ToolTipText", QPalette::ToolTipText},
    {"Light", QPalette::Light},
    {"Mid", QPalette::Mid},
    {"Dark", QPalette::Dark},
    {"PlaceholderText", QPalette::PlaceholderText},
}};

QColor mix(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

QPalette paletteOf(const SkinData& skin) {
    QPalette palette;
    for (const auto& [name, color] : skin.palette) {
        for (const auto& [key, role] : kRoles) {
            if (key == name) {
                palette.setColor(role, qcolor(color));
            }
        }
    }
    // Disabled text fades towards its background, so disabled controls still look
    // disabled whatever the skin.
    const std::array<std::pair<QPalette::ColorRole, QPalette::ColorRole>, 3> texts = {{
        {QPalette::WindowText, QPalette::Window},
        {QPalette::Text, QPalette::Base},
        {QPalette::ButtonText, QPalette::Button},
    }};
    for (const auto& [texto, background] : texts) {
        palette.setColor(QPalette::Disabled, texto,
                         mix(palette.color(QPalette::Active, texto),
                             palette.color(QPalette::Active, background)));
    }
    return palette;
}

} // namespace

Result<void> Skin::cargar(const QString& path) {
    const std::string where = path.toStdString();
    // Checked before opening: opening a FIFO waits for a writer, and a device never ends.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        return Error{"no es un archivo normal", where};
    }
    if (info.size() > static_cast<qint64>(kMaxSkinSize)) {
        return Error{"archivo demasiado grande", where};
    }
    QFile archivo(path);
    if (!archivo.open(QIODevice::ReadOnly)) {
        return Error{archivo.errorString().toStdString(), where};
    }
    // Checked before reading, so a huge file is never read in.
    if (archivo.size() > static_cast<qint64>(kMaxSkinSize)) {
        return Error{"archivo demasiado grande", where};
    }
    const QByteArray bytes = archivo.read(static_cast<qint64>(kMaxSkinSize) + 1);
    Result<SkinData> read = readSkin(std::string_view(bytes.constData(), bytes.size()));
    if (!read.ok()) {
        return Error{read.error().reason, where};
    }
    const SkinData& skin = read.value();
    color_ = qcolor(skin.color);
    styleSheet_ = QString::fromUtf8(skin.styleSheet);
    palette_ = paletteOf(skin);
    name_ = QString::fromStdString(skin.name);
    path_ = path;
    loaded_ = true;
    return {};
}

void Skin::aplicar(QWidget* window) const {
    if (window == nullptr || !loaded_) {
        return;
    }
    window->setPalette(palette_);
    window->setStyleSheet(styleSheet_);
}

void aplicarskin(Skin& skin, QWidget* window, const std::string& archivoskin) {
    if (Result<void> loaded = skin.cargar(QString::fromStdString(archivoskin)); !loaded.ok()) {
        // The window keeps its look; the reason goes where the user can find it.
        std::cerr << "simlumivel: no se aplica el skin " << loaded.error().describe() << '\n';
    }
    skin.aplicar(window);
}

} // namespace lumivel
