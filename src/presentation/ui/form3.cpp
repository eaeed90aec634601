#include "presentation/ui/form3.hpp"

#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "display/startup.hpp"
#include "display/ui/sign_widget.hpp"
#include "display/windows1252.hpp"
#include "presentation/ui/twips.hpp"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDateTime>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>

namespace lumivel {
namespace {

constexpr int kAnchoCliente = 793;
constexpr int kAltoCliente = 268; // client area less the status bar

QFont timesNegrita() {
    QFont font("Times New Roman");
    font.setPointSize(12);
    font.setBold(true);
    return font;
}

QString caption() {
    return QStringLiteral("SimLumivel 1.0               \" LEDLUMIVEL\"  -  simulador de "
                          "letreros de LEDs de 64 x 8");
}

} // namespace

Form3::Form3(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(caption());
    crearControles();
    crearBarraDeEstado();
    Form_Load();
}

void Form3::crearControles() {
    auto* cliente = new QWidget(this);
    cliente->setFixedSize(kAnchoCliente, kAltoCliente);
    setCentralWidget(cliente);

    Picture1_ = new QFrame(cliente);
    Picture1_->setGeometry(twips(0, 600, 11895, 1770));
    Picture1_->setAutoFillBackground(true);
    Picture1_->setStyleSheet("background-color: #808000;");
    Picture1_->setToolTip(
        "Lumivel Electronico Seleccione las opciones de DIBUJO o de TEXTO y animelas");

    Pic_ = new SignWidget(cliente);
    Pic_->move(twips(120, 720, 0, 0).topLeft());
    lumivel_.sign.setSurface(Pic_);

    mayuscula_ = new QPushButton(cliente);
    mayuscula_->setGeometry(twips(7080, 120, 615, 375));
    mayuscula_->setToolTip("Cambia de mayusculas a minusculas y viceversa");
    connect(mayuscula_, &QPushButton::clicked, this, [this] {
        mayuscula_Click(lumivel_);
        reflejar();
    });

    refrescar_ = new QPushButton(cliente);
    refrescar_->setGeometry(twips(9960, 120, 615, 375));
    refrescar_->setToolTip("Actualizar la imagen si se ha Borrado");
    connect(refrescar_, &QPushButton::clicked, this, [this] { refrescar_Click(); });

    Frame2_ = new QGroupBox("Tipo de Letra", cliente);
    Frame2_->setGeometry(twips(120, 2520, 3615, 615));
    Frame2_->setToolTip("Selecione la forma en que se animaran las presentaciones de TEXTO");
    grupoOpletra_ = new QButtonGroup(this);
    const std::array<QRect, 4> posicionesLetra = {
        twips(120, 240, 735, 255), twips(960, 240, 735, 255), twips(1800, 240, 735, 255),
        twips(2640, 240, 855, 255)};
    const std::array<const char*, 4> letras = {"5 x 5", "5 x 7", "5 x 9", "Negrita"};
    for (int i = 0; i < 4; ++i) {
        auto* opcion = new QRadioButton(letras.at(i), Frame2_);
        opcion->setGeometry(posicionesLetra.at(i));
        grupoOpletra_->addButton(opcion, i);
        Opletra_.at(i) = opcion;
    }
    connect(grupoOpletra_, &QButtonGroup::idClicked, this, [this](int index) {
        seleccionarOpletra(lumivel_, index);
        reflejar();
    });

    Frame1_ = new QGroupBox("Tipo de Presentacion", cliente);
    Frame1_->setGeometry(twips(120, 3240, 3615, 615));
    Frame1_->setToolTip("Seleccione el tipo de presentacion (Solo para TEXTO)");
    grupoOpMostrar_ = new QButtonGroup(this);
    const std::array<QRect, 3> posicionesMostrar = {
        twips(120, 240, 1095, 255), twips(1320, 240, 855, 255), twips(2280, 240, 1215, 255)};
    const std::array<const char*, 3> presentaciones = {"Caminando", "Por Fila", "Por columna"};
    for (int i = 0; i < 3; ++i) {
        auto* opcion = new QRadioButton(presentaciones.at(i), Frame1_);
        opcion->setGeometry(posicionesMostrar.at(i));
        grupoOpMostrar_->addButton(opcion, i);
        op_mostrar_.at(i) = opcion;
    }

    auto* mensaje = new QLabel("Mensaje", cliente);
    mensaje->setGeometry(twips(3960, 2640, 975, 255));

    Lstcodigo_ = new QListWidget(cliente);
    Lstcodigo_->setGeometry(twips(4920, 2640, 615, 345));
    Lstcodigo_->setFont(timesNegrita());
    Lstcodigo_->setToolTip("Escriba un MENSAJE o cree una IMAGEN precione adicionar o Carque un "
                           "archivo ya guardado");

    Text1_ = new QLineEdit(cliente);
    Text1_->setGeometry(twips(5520, 2640, 6255, 345));
    Text1_->setFont(timesNegrita());
    Text1_->setToolTip("Escriba aqui y elija ADICIONAR si a modificado un texto y decea "
                       "guardarlo presione  MODIFICAR");
    connect(Text1_, &QLineEdit::textEdited, this, [this](const QString& texto) {
        cambiarTexto(lumivel_, utf8ToWindows1252(texto.toStdString()));
    });
}

void Form3::crearBarraDeEstado() {
    const std::array<int, 4> anchos = {500, 100, 100, 100};
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setFixedWidth(anchos.at(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addWidget(panel);
        panels_.at(i) = panel;
    }
    panels_[2]->setToolTip("indica la fecha");
    panels_[3]->setToolTip("indica la Hora");
    reloj_ = new QTimer(this);
    connect(reloj_, &QTimer::timeout, this, &Form3::actualizarFechaHora);
    reloj_->start(1000);
}

void Form3::actualizarFechaHora() {
    const QDateTime ahora = QDateTime::currentDateTime();
    panels_[2]->setText(ahora.toString("dd/MM/yyyy"));
    panels_[3]->setText(ahora.toString("HH:mm"));
}

void Form3::Form_Load() {
    panels_[0]->setText("Simulador de Lumivel Electronico");
    actualizarFechaHora();
    arrancar(lumivel_, QCoreApplication::applicationDirPath().toStdString());
    reflejar();
}

void Form3::reflejar() {
    const QString texto = QString::fromStdString(windows1252ToUtf8(lumivel_.texto));
    if (Text1_->text() != texto) {
        Text1_->setText(texto);
    }
    for (int i = 0; i < 4; ++i) {
        Opletra_.at(i)->setChecked(lumivel_.opletra == i);
    }
    for (int i = 0; i < 3; ++i) {
        op_mostrar_.at(i)->setChecked(lumivel_.opMostrar == i);
    }
}

void Form3::Form_Resize() { lumivel_.sign.refrescar(); }

void Form3::refrescar_Click() { lumivel_.sign.refrescar(); }

void Form3::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Form3::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    Form_Resize();
}

} // namespace lumivel
