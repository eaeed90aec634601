// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/picture_composer.hpp"
#include "display/sign.hpp"

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;

namespace lumivel {

// "Texto a dibujo": asks for a text, a font and an alignment and shows the picture they
// make on the sign while the person chooses, with a line saying what a text wider than the
// sign loses. The sign is left showing the last preview;
// whoever opened the dialog puts back or keeps what it showed before.
class TextToPictureDialog : public QDialog {
    Q_OBJECT
  public:
    // `text` is Windows-1252; `fontIndex` an Opletra index (0..3).
    TextToPictureDialog(Sign& sign, const std::string& text, int fontIndex,
                        QWidget* parent = nullptr);

    // The sign's 64 columns for the choices made.
    std::array<std::uint8_t, 64> picture() const;

  private:
    void preview();

    Sign& sign_;
    QLineEdit* text_;
    QComboBox* font_;
    QComboBox* alignment_;
    QLabel* cut_;
};

} // namespace lumivel
