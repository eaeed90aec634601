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
    : QDialog(parent), umbral_(new QSlider(Qt::Horizontal, this)), valor_(new QLabel(this)),
      invertir_(new QCheckBox(QStringLiteral("Invertir"), this)) {
    setWindowTitle(QStringLiteral("Importar imagen"));
    setObjectName(QStringLiteral("importDialog"));
    umbral_->setObjectName(QStringLiteral("umbral"));
    umbral_->setRange(0, 255);
    umbral_->setValue(kDefaultImportThreshold);
    umbral_->setAccessibleName(QStringLiteral("Umbral"));
    valor_->setNum(kDefaultImportThreshold);
    // Room for "255" so the slider does not move while the value changes.
    valor_->setMinimumWidth(valor_->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    invertir_->setObjectName(QStringLiteral("invertir"));

    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));

    auto* layout = new QGridLayout(this);
    auto* etiqueta = new QLabel(QStringLiteral("Umbral de brillo:"), this);
    etiqueta->setBuddy(umbral_);
    layout->addWidget(etiqueta, 0, 0);
    layout->addWidget(umbral_, 0, 1);
    layout->addWidget(valor_, 0, 2);
    layout->addWidget(invertir_, 1, 0, 1, 3);
    layout->addWidget(botones, 2, 0, 1, 3);

    connect(umbral_, &QSlider::valueChanged, this, [this](int value) {
        valor_->setNum(value);
        announce();
    });
    connect(invertir_, &QCheckBox::toggled, this, [this] { announce(); });
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int PictureImportDialog::threshold() const {
    return umbral_->value();
}

bool PictureImportDialog::inverted() const {
    return invertir_->isChecked();
}

void PictureImportDialog::announce() {
    emit settingsChanged(threshold(), inverted());
}

} // namespace lumivel
