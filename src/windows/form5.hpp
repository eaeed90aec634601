// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "appearance/color_config.hpp"
#include "session/lumivel.hpp"

#include <QWidget>
#include <array>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace lumivel {

class SamplePicture;
class Skin;
class StateChanges;

// The LED colour window "Configuracion de Colores". Modeless and without owner; it deletes
// itself when closed, so the opener keeps a QPointer. Every close announces the sign, so
// the main window shows the colour in force.
class Form5 : public QWidget {
    Q_OBJECT
  public:
    // `skin` is the main window's skin component: it reports the sample background and
    // skins this window as it loads.
    Form5(Lumivel& lumivel, Dialogs& dialogs, Skin& skin, StateChanges& changes,
          QWidget* parent = nullptr);

    SamplePicture* Pic() const { return Pic_; }
    QRadioButton* Option1(int k) const { return Option1_.at(static_cast<std::size_t>(k)); }
    QPushButton* Command1() const { return Command1_; }
    QPushButton* Command2() const { return Command2_; }
    const ColorSettings& settings() const { return settings_; }

    static constexpr int kAcceptWaitMs = 500; // ms before "Aceptar" closes the window

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load(Skin& skin, const std::string& archivoskin);
    void Command1_Click();
    void Command2_Click();

    QGroupBox* Frame1_ = nullptr;
    SamplePicture* Pic_ = nullptr;
    std::array<QRadioButton*, kColorOptions> Option1_{};
    QButtonGroup* option1Group_ = nullptr;
    QPushButton* Command1_ = nullptr;
    QPushButton* Command2_ = nullptr;
    ColorSettings settings_;
    StateChanges& changes_;
    const Sign& sign_;
    bool waiting_ = false;
};

} // namespace lumivel
