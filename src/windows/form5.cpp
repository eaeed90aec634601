// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/form5.hpp"

#include "ui/sample_picture.hpp"
#include "ui/settings.hpp"
#include "ui/skin.hpp"
#include "ui/twips.hpp"
#include "windows/state_changes.hpp"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace lumivel {

Form5::Form5(Lumivel& lumivel, Dialogs& dialogs, Skin& skin, StateChanges& changes, QWidget* parent)
    : QWidget(parent, Qt::Window), Frame1_(new QGroupBox("Seleccion de Colores", this)),
      Pic_(new SamplePicture(Frame1_)), settings_(lumivel.sign, dialogs, *Pic_), changes_(changes),
      sign_(lumivel.sign) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Configuracion de Colores");
    setFixedSize(twips(0, 0, 6360, 2055).size());

    // Tab order follows creation: "Aceptar" comes first.
    Command1_ = new QPushButton("Aceptar", this);
    Command1_->setGeometry(twips(4920, 360, 1215, 375));
    Command1_->setDefault(true);
    connect(Command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Command2_ = new QPushButton("Cancelar", this);
    Command2_->setGeometry(twips(4920, 840, 1215, 375));
    connect(Command2_, &QPushButton::clicked, this, [this] { Command2_Click(); });

    Frame1_->setGeometry(twips(240, 240, 4455, 1455));
    Pic_->setGeometry(twips(240, 240, 3975, 735));

    option1Group_ = new QButtonGroup(this);
    // The options have no caption; a screen reader says the colour of the LED above.
    const std::array<const char*, kColorOptions> colours = {
        "Blanco", "Azul", "Rojo", "Verde", "Naranja", "Amarillo", "Otro color"};
    for (int k = 0; k < kColorOptions; ++k) {
        auto* option = new QRadioButton(Frame1_);
        option->setAccessibleName(colours.at(static_cast<std::size_t>(k)));
        option->setGeometry(twips(300 + 600 * k, 840, k < 2 ? 235 : 255, 495));
        option1Group_->addButton(option, k);
        Option1_.at(static_cast<std::size_t>(k)) = option;
    }
    connect(option1Group_, &QButtonGroup::idClicked, this,
            [this](int k) { settings_.Option1_Click(k); });
    setTabOrder(Command1_, Command2_);

    Form_Load(skin, lumivel.archivoskin);
}

void Form5::Form_Load(Skin& skin, const std::string& archivoskin) {
    Pic_->setBackground(skin.color());
    aplicarskin(skin, this, archivoskin);
    settings_.cargar();
}

void Form5::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    settings_.drawSamples();
}

void Form5::Command1_Click() {
    if (waiting_) {
        return;
    }
    waiting_ = true;
    // The pause lets the user see the choice; the window keeps painting meanwhile but
    // takes no input.
    QPointer<Form5> self(this);
    QEventLoop delay;
    QTimer::singleShot(kAcceptWaitMs, &delay, &QEventLoop::quit);
    delay.exec(QEventLoop::ExcludeUserInputEvents);
    if (self.isNull()) {
        return;
    }
    waiting_ = false;
    close();
}

void Form5::Command2_Click() {
    settings_.cancel();
    close();
}

void Form5::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    // However the window closed, the colour now in force is the one the next run starts with.
    Settings().setLedColor(sign_.litCentre());
    emit changes_.signChanged();
}

} // namespace lumivel
