// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/form2.hpp"
#include "base/version.hpp"

#include "ui/skin.hpp"
#include "ui/twips.hpp"
#include "ui/web.hpp"
#include "windows/state_changes.hpp"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

namespace lumivel {
namespace {

QLabel* label(const QString& text, const QFont& font, const QRect& position, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName("SkinLabel");
    label->setFont(font);
    label->setGeometry(position);
    return label;
}

QFont palatino(double dots, bool bold) {
    QFont font("Palatino Linotype");
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(dots);
    font.setBold(bold);
    return font;
}

// The largest size up to the font's own at which `text` fits in `width` pixels.
QFont fitted(QFont font, const QString& text, int width) {
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(text) > width) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    return font;
}

QFont courier() {
    QFont font("Courier");
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(9);
    return font;
}

} // namespace

Form2::Form2(Skin& skin, Dialogs& dialogs, const std::string& archivoskin, StateChanges& changes,
             QWidget* parent)
    : QWidget(parent, Qt::Window), changes_(changes) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Acerca de...");
    setFixedSize(twips(0, 0, 6615, 1860).size());

    // Palatino is seldom installed and its stand-ins run wider: the title would be cut at
    // the window's edge.
    const QString title = "Simulador y Programador de Lumivel Electronico";
    const QRect positionTitle = twips(120, 0, 6615, 375);
    SkinLabel1_ = label(title, fitted(palatino(14.25, true), title, width() - positionTitle.left()),
                        positionTitle, this);
    SkinLabel2_ = label(QStringLiteral("SimLumivel %1 - letreros de LEDs de 64 x 8")
                            .arg(QLatin1String(kShortVersion)),
                        palatino(10, false), twips(120, 480, 5040, 315), this);
    SkinLabel3_ = label("Diseñado y escrito por el equipo SimLumivel", courier(),
                        twips(120, 900, 5040, 255), this);
    SkinLabel4_ = label("Ayuda y novedades: botón \"Ir a WEB\"", courier(),
                        twips(120, 1260, 5040, 255), this);

    Command2_ = new QPushButton("Ir a WEB", this);
    Command2_->setGeometry(twips(5280, 840, 1215, 375));
    connect(Command2_, &QPushButton::clicked, this, [&dialogs] { openWebPage(dialogs); });

    Command1_ = new QPushButton("Volver", this);
    Command1_->setGeometry(twips(5280, 1320, 1215, 375));
    connect(Command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });

    // Load: the window's only step is to wear the current skin.
    aplicarskin(skin, this, archivoskin);
}

QLabel* Form2::SkinLabel(int index) const {
    switch (index) {
    case 1:
        return SkinLabel1_;
    case 2:
        return SkinLabel2_;
    case 3:
        return SkinLabel3_;
    case 4:
        return SkinLabel4_;
    default:
        return nullptr;
    }
}

void Form2::Command1_Click() {
    // Closing deletes the window.
    StateChanges& changes = changes_;
    close();
    emit changes.signChanged();
}

} // namespace lumivel
