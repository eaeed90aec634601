// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/toolbar_icons.hpp"

#include "ui/icon_box.hpp"
#include "windows/main_window_layout.hpp"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include <array>

namespace lumivel {
namespace {

// The icon of button i of buttonsUnderIconBoxes(), shown by icon box i as well.
const std::array<const char*, MainWindowControls::kIconBoxes> kIconNames = {
    "nuevo",    "abrir",     "guardar", "lapiz",      "goma",      "pintura", "bomba",
    "invertir", "mayuscula", "play",    "configurar", "refrescar", "serial"};
const std::array<const char*, 2> kModeIconNames = {"dibujo", "texto"};

const QColor kRim(255, 255, 255, 220);

// The icon's picture with its shape grown by a light rim of one pixel.
QPixmap withRim(const QIcon& icon, QSize size, qreal ratio) {
    QImage art =
        icon.pixmap(size, ratio).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Painted pixel for pixel; the ratio is set on the result.
    art.setDevicePixelRatio(1);
    QImage rim = art;
    {
        QPainter painter(&rim);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(rim.rect(), kRim);
    }
    QImage result(art.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    const int step = qMax(1, qRound(ratio));
    for (int dy = -step; dy <= step; dy += step) {
        for (int dx = -step; dx <= step; dx += step) {
            painter.drawImage(QPoint(dx, dy), rim);
        }
    }
    painter.drawImage(QPoint(0, 0), art);
    painter.end();
    QPixmap pixmap = QPixmap::fromImage(result);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon iconFor(const char* name, const QColor& background, QSize size) {
    if (!isDark(background)) {
        return resourceIcon(name);
    }
    QIcon icon;
    icon.addPixmap(withRim(resourceIcon(name), size, qGuiApp->devicePixelRatio()));
    return icon;
}

} // namespace

QIcon resourceIcon(const char* name) {
    return QIcon(QStringLiteral(":/iconos/%1.svg").arg(QLatin1String(name)));
}

void showToolbarIcons(const MainWindowControls& controls, const QColor& background) {
    const auto buttons = controls.buttonsUnderIconBoxes();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        // The button's own icon shows while its icon box is hidden, at the box's size.
        IconBox* box = controls.picmenu.at(i);
        const QIcon icon = iconFor(kIconNames.at(i), background, box->size());
        box->setPixmap(icon.pixmap(box->size()));
        buttons.at(i)->setIcon(icon);
        buttons.at(i)->setIconSize(box->size());
    }
    for (std::size_t i = 0; i < controls.Option1.size(); ++i) {
        QAbstractButton* mode = controls.Option1.at(i);
        mode->setIcon(iconFor(kModeIconNames.at(i), background, mode->iconSize()));
    }
}

} // namespace lumivel
