// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/text_to_picture_dialog.hpp"

#include "base/windows1252.hpp"
#include "display/font_choice.hpp"
#include "drawing/picture_edit.hpp"
#include "session/message_problems.hpp"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lumivel {

TextToPictureDialog::TextToPictureDialog(Sign& sign, const std::string& text, int fontIndex,
                                         QWidget* parent)
    : QDialog(parent), sign_(sign), text_(new QLineEdit(this)), font_(new QComboBox(this)),
      alignment_(new QComboBox(this)), cut_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Texto a dibujo"));
    text_->setObjectName(QStringLiteral("composerText"));
    text_->setText(QString::fromStdString(windows1252ToUtf8(text)));
    font_->setObjectName(QStringLiteral("composerFont"));
    for (int i = 0; i < 4; ++i) {
        font_->addItem(QString::fromUtf8(fontCaption(i).data(),
                                         static_cast<qsizetype>(fontCaption(i).size())));
    }
    font_->setCurrentIndex(fontIndex);
    alignment_->setObjectName(QStringLiteral("composerAlignment"));
    // In the order of the Alignment values.
    alignment_->addItems(
        {QStringLiteral("Izquierda"), QStringLiteral("Centro"), QStringLiteral("Derecha")});

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Texto:"), text_);
    form->addRow(QStringLiteral("&Letra:"), font_);
    form->addRow(QStringLiteral("&Alineación:"), alignment_);
    cut_->setObjectName(QStringLiteral("composerCut"));
    cut_->setStyleSheet(QStringLiteral("color: #b00000;"));
    cut_->setWordWrap(true);
    form->addRow(cut_);
    form->addRow(buttons);

    connect(text_, &QLineEdit::textChanged, this, &TextToPictureDialog::preview);
    connect(font_, &QComboBox::currentIndexChanged, this, &TextToPictureDialog::preview);
    connect(alignment_, &QComboBox::currentIndexChanged, this, &TextToPictureDialog::preview);
    preview();
}

std::array<std::uint8_t, 64> TextToPictureDialog::picture() const {
    return composePicture(font_->currentIndex(), utf8ToWindows1252(text_->text().toStdString()),
                          static_cast<Alignment>(alignment_->currentIndex()));
}

void TextToPictureDialog::preview() {
    showPicture(sign_, picture());
    // Whatever the alignment, a text wider than the sign loses its end.
    const TextCut cut =
        textCut(font_->currentIndex(), utf8ToWindows1252(text_->text().toStdString()), true);
    cut_->setText(cut.columns > 0 ? QString::fromStdString(
                                        cutSentence(cut.columns, windows1252ToUtf8(cut.hidden)))
                                  : QString());
    cut_->setVisible(cut.columns > 0);
}

} // namespace lumivel
