#include "base/version.hpp"
#include "windows/form3.hpp"

#include "windows/form2.hpp"
#include "windows/form5.hpp"
#include "ui/web.hpp"
#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "session/startup.hpp"
#include "ui/qt_dialogs.hpp"
#include "ui/sign_widget.hpp"
#include "base/windows1252.hpp"
#include "windows/drawing_controller.hpp"
#include "presentation/editing_mode.hpp"
#include "presentation/presentation_choice.hpp"
#include "presentation/simulation.hpp"
#include "ui/gui_pacer.hpp"
#include "ui/icon_box.hpp"
#include "ui/twips.hpp"
#include "windows/store_controller.hpp"
#include "windows/form1.hpp"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>

// Resources of a static library must be registered by name, outside any namespace.
static void registrarIconos() {
    Q_INIT_RESOURCE(presentation_icons);
}

namespace lumivel {
namespace {

constexpr int kAnchoCliente = 793;
constexpr int kAltoCliente = 268; // client area less the status bar
constexpr const char* kPropiedadColor = "lumivelColorDeFondo";

// Colours of the design before the first colouring.
const QColor kColorBotones(0x9F, 0x9F, 0x9F);
const QColor kColorNuevo(0x78, 0x99, 0x73);
const QColor kColorPicture1(0x80, 0x80, 0x00);

QFont timesNegrita() {
    // Liberation Serif is metric-compatible with Times New Roman.
    QFont font(QStringLiteral("Liberation Serif"));
    font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman"),
                      QStringLiteral("DejaVu Serif")});
    font.setPixelSize(16);
    font.setBold(true);
    return font;
}

QFont sansNegrita() {
    QFont font = Form3::fuenteVentana();
    font.setBold(true);
    return font;
}

QString caption() {
    return QStringLiteral("SimLumivel %1               \" LEDLUMIVEL\"  -  simulador de "
                          "letreros de LEDs de 64 x 8")
        .arg(QLatin1String(kVersionCorta));
}

QIcon icono(const char* nombre) {
    return QIcon(QStringLiteral(":/iconos/%1.svg").arg(QLatin1String(nombre)));
}

void pintarFondo(QWidget* control, const QColor& color) {
    const QString fondo = color.name();
    if (qobject_cast<QPushButton*>(control) != nullptr) {
        // A style sheet background works under every style; the border keeps it a button.
        const QString borde = color.darker(170).name();
        const QString pulsado = color.darker(125).name();
        control->setStyleSheet(
            QStringLiteral("QPushButton { background-color: %1; border: 1px solid %2;"
                           " border-radius: 3px; }"
                           " QPushButton:pressed, QPushButton:checked { background-color: %3;"
                           " border: 2px inset %2; }")
                .arg(fondo, borde, pulsado));
    } else {
        control->setStyleSheet(QStringLiteral("background-color: %1;").arg(fondo));
    }
}

// What colorbotones does to one control; the colour is kept for whoever checks it.
void colorear(QWidget* control, const QColor& color) {
    control->setProperty(kPropiedadColor, color);
    pintarFondo(control, color);
}

} // namespace

Form3::Form3(Dialogs* dialogs, QWidget* parent) : QMainWindow(parent) {
    registrarIconos();
    if (dialogs == nullptr) {
        dialogosPropios_ = std::make_unique<QtDialogs>(this);
        dialogs = dialogosPropios_.get();
    }
    dialogs_ = dialogs;
    setFont(fuenteVentana());
    setWindowTitle(caption());
    crearControles();
    crearMenus();
    crearBarraDeEstado();
    Form_Load();
    conectarControladores();
    conectarVentanas();
}

void Form3::conectarVentanas() {
    connect(configurar_, &QPushButton::clicked, this, [this] { configurar_Click(); });
    connect(serial_, &QPushButton::clicked, this, [this] { serial_Click(); });
    connect(openviar_, &QAction::triggered, this, [this] { serial_Click(); });
    connect(opacerdade_, &QAction::triggered, this, [this] { opacerdade_Click(); });
    connect(WEB_, &QAction::triggered, this, [] { abrirPaginaWeb(); });
    connect(opayuda_, &QAction::triggered, this, [] { abrirPaginaWeb(); });
    for (int i = 0; i < kSkins; ++i) {
        connect(MNUCamb_.at(static_cast<std::size_t>(i)), &QAction::triggered, this,
                [this, i] { MNUCamb_Click(i); });
    }
}

// Shows an existing secondary window instead of opening a second one.
template <typename Ventana> static bool traerAlFrente(const QPointer<Ventana>& ventana) {
    if (ventana.isNull()) {
        return false;
    }
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
    return true;
}

Form5* Form3::ventanaColores() const {
    return form5_.data();
}

Form2* Form3::ventanaAcercaDe() const {
    return form2_.data();
}

Form1* Form3::ventanaTransmision() const {
    return form1_.data();
}

void Form3::serial_Click() {
    if (form1_.isNull()) {
        // Created when shown: its image is built from the message file open now.
        form1_ = new Form1(lumivel_, *dialogs_, [this] { lumivel_.sign.refrescar(); });
        aplicarskin(skin1_, form1_, lumivel_.archivoskin);
    }
    form1_->mostrar();
}

void Form3::configurar_Click() {
    if (traerAlFrente(form5_)) {
        return;
    }
    form5_ = new Form5(lumivel_, *dialogs_, skin1_, [this] { lumivel_.sign.refrescar(); });
    form5_->show();
}

void Form3::opacerdade_Click() {
    if (traerAlFrente(form2_)) {
        return;
    }
    form2_ = new Form2(skin1_, lumivel_.archivoskin, [this] { lumivel_.sign.refrescar(); });
    form2_->show();
}

void Form3::MNUCamb_Click(int index) {
    lumivel::MNUCamb_Click(lumivel_, skin1_, this, index);
    colorbotones();
    lumivel_.sign.refrescar();
}

void Form3::conectarControladores() {
    const auto refleja = [this] { reflejar(); };
    StoreWidgets lista;
    lista.Lstcodigo = Lstcodigo_;
    lista.ADICIONAR = ADICIONAR_;
    lista.ELIMINAR = ELIMINAR_;
    lista.MODIFICAR = MODIFICAR_;
    lista.abrir = abrir_;
    lista.guardar = guardar_;
    lista.nuevo = nuevo_;
    lista.panel0 = panels_[0];
    store_ = std::make_unique<StoreController>(lista, lumivel_, *dialogs_, refleja);

    DrawingWidgets dibujo;
    dibujo.Pic = Pic_;
    dibujo.lapiz = lapiz_;
    dibujo.goma = goma_;
    dibujo.pintura = pintura_;
    dibujo.Bomba = Bomba_;
    dibujo.invertir = invertir_;
    dibujo.panel1 = panels_[1];
    dibujo_ = std::make_unique<DrawingController>(dibujo, lumivel_, refleja);

    connect(opsalir_, &QAction::triggered, this, [this] { opsalir_Click(); });
}

void Form3::opsalir_Click() {
    if (!store_->salir()) {
        return;
    }
    salidaConfirmada_ = true;
    close();
}

Form3::~Form3() {
    // The secondary windows hold references into this window's state.
    delete form5_.data();
    delete form2_.data();
    delete form1_.data();
}

QFont Form3::fuenteVentana() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    return font;
}

QColor Form3::colorDeFondo(const QWidget* control) {
    return control->property(kPropiedadColor).value<QColor>();
}

QAbstractButton* Form3::Option1(int index) const {
    return Option1_.at(static_cast<std::size_t>(index));
}

QAbstractButton* Form3::Opletra(int index) const {
    return Opletra_.at(static_cast<std::size_t>(index));
}

QAbstractButton* Form3::op_mostrar(int index) const {
    return op_mostrar_.at(static_cast<std::size_t>(index));
}

IconBox* Form3::picmenu(int index) const {
    return picmenu_.at(static_cast<std::size_t>(index));
}

void Form3::crearBarraDeHerramientas(QWidget* cliente) {
    struct Boton {
        QPushButton** control;
        const char* nombre;
        QRect posicion;
        const char* tooltip;
    };
    const std::array<Boton, 13> botones = {{
        {&nuevo_, "nuevo", twips(270, 120, 585, 375), "Abrir un Nuevo Archivo Mensaje o Grafico"},
        {&abrir_, "abrir", twips(840, 120, 615, 375), "Abrir un Nuevo Archivo Mensaje o Grafico"},
        {&guardar_, "guardar", twips(1440, 120, 615, 375), "Guarda mensaje o grafico Creado"},
        {&lapiz_, "lapiz", twips(2400, 120, 615, 375), "Permite dibujar en el Lumivel"},
        {&goma_, "goma", twips(3000, 120, 615, 375), "Permite Borrar en el Lumivel"},
        {&pintura_, "pintura", twips(3600, 120, 615, 375), "Pintar Todo el Lumivel"},
        {&Bomba_, "Bomba", twips(4200, 120, 615, 375), "Borra todo en el lumivel"},
        {&invertir_, "invertir", twips(4800, 120, 615, 375), "Invertir la Imagen"},
        {&mayuscula_, "mayuscula", twips(7080, 120, 615, 375),
         "Cambia de mayusculas a minusculas y viceversa"},
        {&Play_, "Play", twips(8040, 120, 615, 375), "Ejecuta la Simulacion"},
        {&configurar_, "configurar", twips(9000, 120, 615, 375),
         "Configura el color y personalise su lumive electronico"},
        {&refrescar_, "refrescar", twips(9960, 120, 615, 375),
         "Actualizar la imagen si se ha Borrado"},
        {&serial_, "serial", twips(10920, 120, 615, 375),
         "Transmitir la informacion al Lumivel Electronico"},
    }};
    for (const Boton& boton : botones) {
        auto* control = new QPushButton(cliente);
        control->setObjectName(QLatin1String(boton.nombre));
        control->setGeometry(boton.posicion);
        control->setToolTip(QString::fromUtf8(boton.tooltip));
        control->setFocusPolicy(Qt::NoFocus);
        pintarFondo(control, boton.control == &nuevo_ ? kColorNuevo : kColorBotones);
        *boton.control = control;
    }

    // The two mode buttons: toggles with their own pictures and no icon box.
    grupoOption1_ = new QButtonGroup(this);
    const std::array<QRect, 2> posicionesModo = {twips(5640, 120, 615, 375),
                                                 twips(6240, 120, 615, 375)};
    const std::array<const char*, 2> tooltipsModo = {"Havilita la opcion de Dibujo",
                                                     "Havilita la opcion de escribir texto"};
    const std::array<const char*, 2> iconosModo = {"dibujo", "texto"};
    for (int i = 0; i < 2; ++i) {
        auto* opcion = new QPushButton(cliente);
        opcion->setObjectName(QStringLiteral("Option1_%1").arg(i));
        opcion->setCheckable(true);
        opcion->setGeometry(posicionesModo.at(i));
        opcion->setToolTip(QString::fromUtf8(tooltipsModo.at(i)));
        opcion->setIcon(icono(iconosModo.at(i)));
        opcion->setIconSize(QSize(18, 18));
        opcion->setFocusPolicy(Qt::NoFocus);
        pintarFondo(opcion, kColorBotones);
        grupoOption1_->addButton(opcion, i);
        Option1_.at(i) = opcion;
    }
    connect(grupoOption1_, &QButtonGroup::idClicked, this, [this](int index) {
        seleccionarOption1(lumivel_, index);
        reflejar();
    });

    // Icon boxes lie over the buttons: a click on the icon lands on them.
    struct Caja {
        int left;
        int top;
        int lado; // twips
        const char* icono;
    };
    const std::array<Caja, kIconBoxes> cajas = {{
        {420, 180, 240, "nuevo"},
        {1020, 180, 240, "abrir"},
        {1635, 180, 240, "guardar"},
        {2580, 180, 240, "lapiz"},
        {3180, 180, 240, "goma"},
        {3780, 180, 240, "pintura"},
        {4380, 180, 240, "bomba"},
        {4980, 180, 240, "invertir"},
        {7260, 180, 240, "mayuscula"},
        {8220, 180, 240, "play"},
        {9180, 180, 240, "configurar"},
        {10140, 180, 240, "refrescar"},
        {11040, 120, 360, "serial"},
    }};
    for (int i = 0; i < kIconBoxes; ++i) {
        const Caja& caja = cajas.at(static_cast<std::size_t>(i));
        auto* box = new IconBox(cliente);
        box->setObjectName(QStringLiteral("picmenu_%1").arg(i));
        box->setGeometry(twips(caja.left, caja.top, caja.lado, caja.lado));
        box->setPixmap(icono(caja.icono).pixmap(box->size()));
        box->setStyleSheet(
            QStringLiteral("background-color: %1;").arg(palette().color(QPalette::Window).name()));
        box->raise();
        connect(box, &IconBox::clicked, this, [this, i] { picmenu_Click(i); });
        picmenu_.at(static_cast<std::size_t>(i)) = box;
    }

    connect(mayuscula_, &QPushButton::clicked, this, [this] {
        mayuscula_Click(lumivel_);
        reflejar();
    });
    connect(refrescar_, &QPushButton::clicked, this, [this] { refrescar_Click(); });
    connect(Play_, &QPushButton::clicked, this, [this] { Play_Click(); });

    // Below the client area, as in the design; reached from the menu.
    Reloj_ = new QPushButton(cliente);
    Reloj_->setObjectName(QStringLiteral("Reloj"));
    Reloj_->setGeometry(twips(120, 4560, 495, 495));
    Reloj_->setIcon(icono("reloj"));
    Reloj_->setIconSize(QSize(24, 24));
    Reloj_->setToolTip(QStringLiteral("Muestra grafico en movimiento"));
    connect(Reloj_, &QPushButton::clicked, this, [this] { Reloj_Click(); });
}

void Form3::crearControles() {
    auto* cliente = new QWidget(this);
    cliente->setFixedSize(kAnchoCliente, kAltoCliente);
    setCentralWidget(cliente);

    Picture1_ = new QFrame(cliente);
    Picture1_->setObjectName(QStringLiteral("Picture1"));
    Picture1_->setGeometry(twips(0, 600, 11895, 1770));
    Picture1_->setAutoFillBackground(true);
    pintarFondo(Picture1_, kColorPicture1);
    Picture1_->setToolTip(
        "Lumivel Electronico Seleccione las opciones de DIBUJO o de TEXTO y animelas");

    Pic_ = new SignWidget(cliente);
    Pic_->move(twips(120, 720, 0, 0).topLeft());
    lumivel_.sign.setSurface(Pic_);

    crearBarraDeHerramientas(cliente);

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
    // "Caminando" gets the few pixels its caption needs in our font, up to its neighbour.
    const std::array<QRect, 3> posicionesMostrar = {
        twips(120, 240, 1095 + 90, 255), twips(1320, 240, 855, 255), twips(2280, 240, 1215, 255)};
    const std::array<const char*, 3> presentaciones = {"Caminando", "Por Fila", "Por columna"};
    for (int i = 0; i < 3; ++i) {
        auto* opcion = new QRadioButton(presentaciones.at(i), Frame1_);
        opcion->setGeometry(posicionesMostrar.at(i));
        grupoOpMostrar_->addButton(opcion, i);
        op_mostrar_.at(i) = opcion;
    }
    connect(grupoOpMostrar_, &QButtonGroup::idClicked, this, [this](int index) {
        seleccionarOpMostrar(lumivel_, index);
        reflejar();
    });

    auto* mensaje = new QLabel("Mensaje", cliente);
    mensaje->setObjectName(QStringLiteral("SkinLabel2"));
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

    struct BotonLista {
        QPushButton** control;
        const char* caption;
        QRect posicion;
        const char* tooltip;
    };
    const std::array<BotonLista, 3> botonesLista = {{
        {&ADICIONAR_, "ADICIONAR", twips(5880, 3240, 1215, 375),
         "El MENSAJE escrito o la IMAGEN se adicionaran creando un nuevo numero de mensaje"},
        {&ELIMINAR_, "ELIMINAR", twips(7320, 3240, 1215, 375),
         "Elimina el numero de Mensaje seleccionado"},
        {&MODIFICAR_, "MODIFICAR", twips(8760, 3240, 1215, 375),
         "Si ud a modificado el mensaje puede grardarce modificado"},
    }};
    for (const BotonLista& boton : botonesLista) {
        auto* control = new QPushButton(QLatin1String(boton.caption), cliente);
        control->setObjectName(QLatin1String(boton.caption));
        control->setGeometry(boton.posicion);
        control->setFont(sansNegrita());
        control->setToolTip(QLatin1String(boton.tooltip));
        *boton.control = control;
    }
}

void Form3::crearMenus() {
    QMenuBar* barra = menuBar();
    // "Run the handler of X" is X's clicked signal, whatever is connected to it and even
    // while X is disabled.
    const auto clicDe = [](QPushButton* boton) { return [boton] { emit boton->clicked(); }; };

    QMenu* archivo = barra->addMenu(QStringLiteral("&Archivo"));
    opnuevo_ = archivo->addAction(QStringLiteral("&Nuevo"));
    opabrir_ = archivo->addAction(QStringLiteral("A&brir"));
    opguardar_ = archivo->addAction(QStringLiteral("&Guardar"));
    archivo->addSeparator();
    opsalir_ = archivo->addAction(QStringLiteral("Salir"));
    connect(opnuevo_, &QAction::triggered, this, clicDe(nuevo_));
    connect(opabrir_, &QAction::triggered, this, clicDe(abrir_));
    connect(opguardar_, &QAction::triggered, this, clicDe(guardar_));

    QMenu* opciones = barra->addMenu(QStringLiteral("&Opciones"));
    optexto_ = opciones->addAction(QStringLiteral("Texto"));
    opgrafico_ = opciones->addAction(QStringLiteral("Grafico"));
    connect(optexto_, &QAction::triggered, this, [this] {
        seleccionarOption1(lumivel_, kModoTexto);
        reflejar();
    });
    connect(opgrafico_, &QAction::triggered, this, [this] {
        seleccionarOption1(lumivel_, kModoDibujo);
        reflejar();
    });

    opconfiguracion_ = barra->addAction(QStringLiteral("&Configuracion"));
    connect(opconfiguracion_, &QAction::triggered, this, clicDe(configurar_));

    QMenu* ejecucion = barra->addMenu(QStringLiteral("&Ejecucion"));
    opsimular_ = ejecucion->addAction(QStringLiteral("Simular"));
    ejecucion->addSeparator();
    openviar_ = ejecucion->addAction(QStringLiteral("Enviar"));
    ejecucion->addSeparator();
    opreloj_ = ejecucion->addAction(QStringLiteral("Grafico en movimiento"));
    opreloj_->setToolTip(QStringLiteral("Muestra grafico en movimiento"));
    connect(opsimular_, &QAction::triggered, this, clicDe(Play_));
    connect(opreloj_, &QAction::triggered, this, clicDe(Reloj_));

    QMenu* skins = barra->addMenu(QStringLiteral("Cambiar Skin"));
    const std::array<const char*, kSkins> nombres = {"B-Studio", "Galaxy",   "Green", "Mac",
                                                     "Media",    "Metallic", "Paper", "TopSecret",
                                                     "Web-II",   "Zhelezo"};
    for (int i = 0; i < kSkins; ++i) {
        MNUCamb_.at(static_cast<std::size_t>(i)) =
            skins->addAction(QLatin1String(nombres.at(static_cast<std::size_t>(i))));
    }

    opayuda_ = barra->addAction(QStringLiteral("A&yuda"));
    opacerdade_ = barra->addAction(QStringLiteral("Acerca de..."));
    WEB_ = barra->addAction(QStringLiteral("VIsitar WEB"));
}

void Form3::crearBarraDeEstado() {
    // The panels keep their widths side by side; together they are wider than the window,
    // so the last one is clipped at the right edge instead of overlapping its neighbours.
    const std::array<int, 4> anchos = {500, 100, 100, 100};
    auto* barra = new QWidget(this);
    barra->setFixedHeight(fontMetrics().height() + 6);
    int izquierda = 0;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QLabel(barra);
        panel->setGeometry(izquierda, 0, anchos.at(i), barra->height());
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        izquierda += anchos.at(i);
        panels_.at(i) = panel;
    }
    statusBar()->addWidget(barra, 1);
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
    colorbotones();
    panels_[0]->setText("Simulador de Lumivel Electronico");
    actualizarFechaHora();
    arrancar(lumivel_, QCoreApplication::applicationDirPath().toStdString());
    // The start-up skin; a missing or unreadable file keeps the current look.
    aplicarskin(skin1_, this, lumivel_.archivoskin);
    colorbotones();
    reflejar();
}

void Form3::colorbotones() {
    std::vector<QWidget*> controles;
    controles.push_back(nuevo_);
    for (IconBox* box : picmenu_) {
        controles.push_back(box);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             abrir_, guardar_, lapiz_, goma_, pintura_, Bomba_, invertir_, Option1_[0], Option1_[1],
             mayuscula_, Play_, configurar_, refrescar_, serial_, Picture1_}) {
        controles.push_back(control);
    }
    for (QWidget* control : controles) {
        colorear(control, skin1_.color());
    }
}

void Form3::reflejarTexto() {
    const QString texto = QString::fromStdString(windows1252ToUtf8(lumivel_.texto));
    if (Text1_->text() != texto) {
        Text1_->setText(texto);
    }
}

void Form3::reflejar() {
    reflejarTexto();
    for (int i = 0; i < 4; ++i) {
        Opletra_.at(i)->setChecked(lumivel_.opletra == i);
    }
    for (int i = 0; i < 3; ++i) {
        op_mostrar_.at(i)->setChecked(lumivel_.opMostrar == i);
    }
    if (!modoElegido(lumivel_)) {
        return;
    }
    Option1_[0]->setChecked(lumivel_.option1 == kModoDibujo);
    Option1_[1]->setChecked(lumivel_.option1 == kModoTexto);

    const ControlesDelModo modo = controlesDelModo(lumivel_);
    Text1_->setEnabled(modo.texto);
    for (QAbstractButton* opcion : op_mostrar_) {
        opcion->setEnabled(modo.texto);
    }
    for (QAbstractButton* opcion : Opletra_) {
        opcion->setEnabled(modo.texto);
    }
    lapiz_->setEnabled(modo.lapiz);
    goma_->setEnabled(modo.goma);
    for (QPushButton* boton : {pintura_, Bomba_, invertir_}) {
        boton->setEnabled(modo.herramientas);
    }
    for (int i = 3; i <= 7; ++i) {
        picmenu_.at(i)->setEnabled(modo.herramientas);
        picmenu_.at(i)->setVisible(modo.herramientas);
    }
    mayuscula_->setEnabled(modo.mayuscula);
    picmenu_.at(8)->setEnabled(modo.mayuscula);
    picmenu_.at(8)->setVisible(modo.mayuscula);
}

void Form3::picmenu_Click(int index) {
    const std::array<QPushButton*, kIconBoxes> debajo = {
        nuevo_,    abrir_,     guardar_, lapiz_,      goma_,      pintura_, Bomba_,
        invertir_, mayuscula_, Play_,    configurar_, refrescar_, serial_};
    if (index < 0 || index >= kIconBoxes) {
        return;
    }
    emit debajo.at(static_cast<std::size_t>(index))->clicked();
}

template <typename Efecto> void Form3::reproducir(Efecto efecto) {
    if (pacer_ != nullptr) {
        return; // one effect at a time
    }
    GuiPacer pacer([this] { reflejarTexto(); });
    pacer_ = &pacer;
    efecto(pacer);
    pacer_ = nullptr;
    reflejar();
    if (cerrarAlTerminar_) {
        cerrarAlTerminar_ = false;
        close();
    }
}

void Form3::Play_Click() {
    reproducir([this](Pacer& pacer) { lumivel::Play_Click(lumivel_, *dialogs_, pacer); });
}

void Form3::Reloj_Click() {
    reproducir([this](Pacer& pacer) { lumivel::Reloj_Click(lumivel_, pacer); });
}

void Form3::Form_Resize() {
    lumivel_.sign.refrescar();
}

void Form3::refrescar_Click() {
    lumivel_.sign.refrescar();
}

void Form3::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Form3::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    Form_Resize();
}

void Form3::closeEvent(QCloseEvent* event) {
    if (pacer_ != nullptr) {
        // Stop the effect first; the window closes once its handler has returned.
        cerrarAlTerminar_ = true;
        pacer_->detener();
        event->ignore();
        return;
    }
    if (!salidaConfirmada_ && !store_->salir()) {
        event->ignore();
        return;
    }
    salidaConfirmada_ = true;
    for (QWidget* ventana : std::initializer_list<QWidget*>{form5_, form2_, form1_}) {
        if (ventana != nullptr) {
            ventana->close();
        }
    }
    QMainWindow::closeEvent(event);
}

} // namespace lumivel
