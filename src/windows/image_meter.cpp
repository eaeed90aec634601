// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/image_meter.hpp"

#include "session/image_fit.hpp"
#include "transmission/image_usage.hpp"
#include "transmission/transmission_image.hpp"

#include <QLabel>
#include <QStatusBar>

namespace lumivel {

ImageMeter::ImageMeter(const Lumivel& l, Dialogs& d, QStatusBar& bar, QObject* parent)
    : QObject(parent), l_(l), d_(d), label_(new QLabel(&bar)) {
    label_->setObjectName(QStringLiteral("imageUsage"));
    label_->setToolTip(QStringLiteral("Imagen que se enviará al Lumivel y lo que cabe en él"));
    bar.addPermanentWidget(label_);
    mostrar();
}

void ImageMeter::mostrar() {
    if (!l_.archivo.isOpen()) {
        label_->hide();
        return;
    }
    const int bytes = openFileImageBytes(l_);
    label_->setText(QString::fromStdString(imageUsage(bytes)));
    label_->setStyleSheet(bytes > TransmissionImage::kCapacity ? QStringLiteral("color: #b00000;")
                                                               : QString());
    label_->show();
}

bool ImageMeter::confirmAdd() {
    return confirmAddFits(l_, d_);
}

} // namespace lumivel
