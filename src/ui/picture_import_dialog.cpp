// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/picture_import_dialog.hpp"

#include "drawing/picture_import.hpp"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace lumivel {

PictureImportDialog::PictureImportDialog(QWidget* parent)
    : QDialog(parent), threshold_(new QSlider(Qt::Horizontal, this)), value_(new QLabel(this)),
      invertir_(new QCheckBox(QStringLiteral("Invertir"), this)) {
    setWindowTitle(QStringLiteral("Importar imagen"));
    setObjectName(QStringLiteral("importDialog"));
    threshold_->setObjectName(QStringLiteral("umbral"));
    threshold_->setRange(0, 255);
    threshold_->setValue(kDefaultImportThreshold);
    threshold_->setAccessibleName(QStringLiteral("Umbral"));
    value_->setNum(kDefaultImportThreshold);
    // Room for "255" so the slider does not move while the value changes.
    value_->setMinimumWidth(value_->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    invertir_->setObjectName(QStringLiteral("invertir"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));

    auto* layout = new QGridLayout(this);
    auto* label = new QLabel(QStringLiteral("Umbral de brillo:"), this);
    label->setBuddy(threshold_);
    layout->addWidget(label, 0, 0);
    layout->addWidget(threshold_, 0, 1);
    layout->addWidget(value_, 0, 2);
    layout->addWidget(invertir_, 1, 0, 1, 3);
    layout->addWidget(buttons, 2, 0, 1, 3);

    connect(threshold_, &QSlider::valueChanged, this, [this](int value) {
        value_->setNum(value);
        announce();
    });
    connect(invertir_, &QCheckBox::toggled, this, [this] { announce(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int PictureImportDialog::threshold() const {
    return threshold_->value();
}

bool PictureImportDialog::inverted() const {
    return invertir_->isChecked();
}

void PictureImportDialog::announce() {
    emit settingsChanged(threshold(), inverted());
}

} // namespace lumivel
