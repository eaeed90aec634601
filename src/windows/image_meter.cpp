#include "windows/image_meter.hpp"

#include "session/message_list.hpp"
#include "session/message_sequence.hpp"
#include "transmission/image_usage.hpp"
#include "transmission/transmission_image.hpp"

#include <QLabel>
#include <QStatusBar>

namespace lumivel {
namespace {

// An unreadable file shows no figure; the list reports the read error itself.
std::vector<tipomensaje> activeOrNone(const Lumivel& l) {
    if (!l.archivo.isOpen()) {
        return {};
    }
    Result<std::vector<tipomensaje>> activeRecords = activeMessages(l.archivo);
    return activeRecords.ok() ? activeRecords.value() : std::vector<tipomensaje>{};
}

} // namespace

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
    const int bytes = imageBytesNeeded(activeOrNone(l_));
    label_->setText(QString::fromStdString(imageUsage(bytes)));
    label_->setStyleSheet(bytes > TransmissionImage::kCapacity ? QStringLiteral("color: #b00000;")
                                                               : QString());
    label_->show();
}

bool ImageMeter::confirmAdd() {
    std::vector<tipomensaje> activeRecords = activeOrNone(l_);
    activeRecords.push_back(editorMessage(l_));
    const int bytes = imageBytesNeeded(activeRecords);
    if (bytes <= TransmissionImage::kCapacity) {
        return true;
    }
    MessageBoxSpec box;
    box.title = "Imagen demasiado grande";
    box.texto = "Con este mensaje la imagen ocuparía " + imageUsage(bytes) +
                ": no se podrá enviar al Lumivel.\r\n¿Adicionarlo de todos modos?";
    box.buttons = Buttons::YesNo;
    box.icon = Icon::Exclamation;
    box.defaultAnswer = Answer::No;
    return d_.mensaje(box) == Answer::Yes;
}

} // namespace lumivel
