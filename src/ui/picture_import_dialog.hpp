// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;
class QSlider;

namespace lumivel {

// "Importar imagen": the threshold and "Invertir" of an imported picture. Whoever opens it
// shows the result on the sign at each change, so the sign is the preview.
class PictureImportDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PictureImportDialog(QWidget* parent = nullptr);

    int threshold() const;
    bool inverted() const;

  signals:
    void settingsChanged(int threshold, bool inverted);

  private:
    void announce();

    QSlider* threshold_;
    QLabel* value_;
    QCheckBox* invertir_;
};

} // namespace lumivel
