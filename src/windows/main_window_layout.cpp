// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/main_window_layout.hpp"

#include "store/message_record.hpp"
#include "ui/icon_box.hpp"
#include "ui/sign_widget.hpp"
#include "ui/twips.hpp"
#include "ui/window_font.hpp"
#include "windows/main_menu.hpp"
#include "windows/toolbar_icons.hpp"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include <algorithm>

// Resources of a static library must be registered by name, outside any namespace.
static void registerIcons() {
    Q_INIT_RESOURCE(presentation_icons);
}

namespace lumivel {
namespace {

constexpr int kClientWidth = 793;
constexpr int kClientHeight = 268; // client area less the status bar

// Colours the controls wear until the skin colours them.
const QColor kButtonColour(0x9F, 0x9F, 0x9F);
const QColor kNuevoColour(0x78, 0x99, 0x73);
const QColor kPicture1Colour(0x80, 0x80, 0x00);

QFont boldSerif() {
    // Liberation Serif is metric-compatible with Times New Roman.
    QFont font(QStringLiteral("Liberation Serif"));
    font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman"),
                      QStringLiteral("DejaVu Serif")});
    font.setPixelSize(16);
    font.setBold(true);
    return font;
}

QFont boldSans() {
    QFont font = windowFont();
    font.setBold(true);
    return font;
}

void buildToolbar(QMainWindow& window, QWidget* client, MainWindowControls& c) {
    struct Button {
        QPushButton** control;
        const char* name;
        QRect position;
        const char* tooltip;
    };
    const std::array<Button, 13> buttons = {{
        {&c.nuevo, "nuevo", twips(270, 120, 585, 375), "Abrir un Nuevo Archivo Mensaje o Grafico"},
        {&c.abrir, "abrir", twips(840, 120, 615, 375), "Abrir un Nuevo Archivo Mensaje o Grafico"},
        {&c.guardar, "guardar", twips(1440, 120, 615, 375), "Guarda mensaje o grafico Creado"},
        {&c.lapiz, "lapiz", twips(2400, 120, 615, 375), "Permite dibujar en el Lumivel"},
        {&c.goma, "goma", twips(3000, 120, 615, 375), "Permite Borrar en el Lumivel"},
        {&c.pintura, "pintura", twips(3600, 120, 615, 375), "Pintar Todo el Lumivel"},
        {&c.Bomba, "Bomba", twips(4200, 120, 615, 375), "Borra todo en el lumivel"},
        {&c.invertir, "invertir", twips(4800, 120, 615, 375), "Invertir la Imagen"},
        {&c.mayuscula, "mayuscula", twips(7080, 120, 615, 375),
         "Cambia de mayusculas a minusculas y viceversa"},
        {&c.Play, "Play", twips(8040, 120, 615, 375), "Ejecuta la Simulacion"},
        {&c.configurar, "configurar", twips(9000, 120, 615, 375),
         "Configura el color y personalise su lumive electronico"},
        {&c.refrescar, "refrescar", twips(9960, 120, 615, 375),
         "Actualizar la imagen si se ha Borrado"},
        {&c.serial, "serial", twips(10920, 120, 615, 375),
         "Transmitir la informacion al Lumivel Electronico"},
    }};
    for (const Button& button : buttons) {
        auto* control = new QPushButton(client);
        control->setObjectName(QLatin1String(button.name));
        control->setGeometry(button.position);
        control->setToolTip(QString::fromUtf8(button.tooltip));
        // Tab reaches it; a click leaves the focus where the typing is.
        control->setFocusPolicy(Qt::TabFocus);
        paintBackground(control, button.control == &c.nuevo ? kNuevoColour : kButtonColour);
        *button.control = control;
    }
    // The chosen drawing tool shows pressed.
    c.lapiz->setCheckable(true);
    c.goma->setCheckable(true);

    // The two mode buttons: toggles with their own pictures and no icon box.
    c.groups.Option1 = new QButtonGroup(&window);
    const std::array<QRect, 2> modePositions = {twips(5640, 120, 615, 375),
                                                twips(6240, 120, 615, 375)};
    const std::array<const char*, 2> modeTooltips = {"Havilita la opcion de Dibujo",
                                                     "Havilita la opcion de escribir texto"};
    for (std::size_t i = 0; i < c.Option1.size(); ++i) {
        auto* option = new QPushButton(client);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i));
        option->setCheckable(true);
        option->setGeometry(modePositions.at(i));
        option->setToolTip(QString::fromUtf8(modeTooltips.at(i)));
        option->setIconSize(QSize(18, 18));
        option->setFocusPolicy(Qt::TabFocus);
        paintBackground(option, kButtonColour);
        c.groups.Option1->addButton(option, static_cast<int>(i));
        c.Option1.at(i) = option;
    }
    // Tab follows the row: the mode buttons sit between invertir and mayuscula.
    QWidget::setTabOrder(c.invertir, c.Option1[0]);
    QWidget::setTabOrder(c.Option1[0], c.Option1[1]);

    // Icon boxes lie over the buttons: a click on the icon lands on them.
    struct Box {
        int left;
        int top;
        int side; // twips
    };
    const std::array<Box, MainWindowControls::kIconBoxes> boxes = {{
        {420, 180, 240},
        {1020, 180, 240},
        {1635, 180, 240},
        {2580, 180, 240},
        {3180, 180, 240},
        {3780, 180, 240},
        {4380, 180, 240},
        {4980, 180, 240},
        {7260, 180, 240},
        {8220, 180, 240},
        {9180, 180, 240},
        {10140, 180, 240},
        {11040, 120, 360},
    }};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& box = boxes.at(i);
        auto* control = new IconBox(client);
        control->setObjectName(QStringLiteral("picmenu_%1").arg(i));
        control->setGeometry(twips(box.left, box.top, box.side, box.side));
        control->setStyleSheet(QStringLiteral("background-color: %1;")
                                   .arg(window.palette().color(QPalette::Window).name()));
        control->raise();
        c.picmenu.at(i) = control;
    }
    showToolbarIcons(c, kButtonColour);

    // Below the client area, out of sight; reached from the menu.
    c.Reloj = new QPushButton(client);
    c.Reloj->setObjectName(QStringLiteral("Reloj"));
    c.Reloj->setGeometry(twips(120, 4560, 495, 495));
    c.Reloj->setIcon(resourceIcon("reloj"));
    c.Reloj->setIconSize(QSize(24, 24));
    c.Reloj->setToolTip(QStringLiteral("Muestra grafico en movimiento"));
    // Out of sight, so Tab must not leave the focus there.
    c.Reloj->setFocusPolicy(Qt::NoFocus);
}

// One option panel: a frame of radius buttons forming one exclusive group.
template <std::size_t N> struct OptionPanel {
    const char* name;
    const char* title;
    QRect position;
    const char* tooltip;
    const char* optionName; // of the control array
    std::array<const char*, N> captions;
    std::array<QRect, N> positions;
};

template <std::size_t N>
QGroupBox* buildOptionPanel(QMainWindow& window, QWidget* client, const OptionPanel<N>& panel,
                            std::array<QAbstractButton*, N>& options, QButtonGroup*& group) {
    auto* frame = new QGroupBox(QLatin1String(panel.title), client);
    frame->setObjectName(QLatin1String(panel.name));
    frame->setGeometry(panel.position);
    frame->setToolTip(QLatin1String(panel.tooltip));
    group = new QButtonGroup(&window);
    for (std::size_t i = 0; i < N; ++i) {
        auto* option = new QRadioButton(QLatin1String(panel.captions.at(i)), frame);
        option->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(panel.optionName)).arg(i));
        option->setGeometry(panel.positions.at(i));
        group->addButton(option, static_cast<int>(i));
        options.at(i) = option;
    }
    return frame;
}

void buildClientArea(QMainWindow& window, MainWindowControls& c) {
    auto* client = new QWidget(&window);
    client->setFixedSize(kClientWidth, kClientHeight);
    window.setCentralWidget(client);

    c.Picture1 = new QFrame(client);
    c.Picture1->setObjectName(QStringLiteral("Picture1"));
    c.Picture1->setGeometry(twips(0, 600, 11895, 1770));
    c.Picture1->setAutoFillBackground(true);
    paintBackground(c.Picture1, kPicture1Colour);
    c.Picture1->setToolTip(
        "Lumivel Electronico Seleccione las opciones de DIBUJO o de TEXTO y animelas");

    c.Pic = new SignWidget(client);
    c.Pic->setObjectName(QStringLiteral("Pic"));
    c.Pic->move(twips(120, 720, 0, 0).topLeft());

    buildToolbar(window, client, c);

    const OptionPanel<4> letters = {
        "Frame2",
        "Tipo de Letra",
        twips(120, 2520, 3615, 615),
        "Selecione la forma en que se animaran las presentaciones de TEXTO",
        "Opletra",
        {"5 x 5", "5 x 7", "5 x 9", "Negrita"},
        {twips(120, 240, 735, 255), twips(960, 240, 735, 255), twips(1800, 240, 735, 255),
         twips(2640, 240, 855, 255)}};
    c.Frame2 = buildOptionPanel(window, client, letters, c.Opletra, c.groups.Opletra);
    // "Caminando" gets the few pixels its caption needs in our font, up to its neighbour.
    const OptionPanel<3> presentations = {
        "Frame1",
        "Tipo de Presentacion",
        twips(120, 3240, 3615, 615),
        "Seleccione el tipo de presentacion (Solo para TEXTO)",
        "op_mostrar",
        {"Caminando", "Por Fila", "Por columna"},
        {twips(120, 240, 1095 + 90, 255), twips(1320, 240, 855, 255), twips(2280, 240, 1215, 255)}};
    c.Frame1 = buildOptionPanel(window, client, presentations, c.op_mostrar, c.groups.op_mostrar);

    auto* message = new QLabel("Mensaje", client);
    message->setObjectName(QStringLiteral("SkinLabel2"));
    message->setGeometry(twips(3960, 2640, 975, 255));

    c.Lstcodigo = new QListWidget(client);
    c.Lstcodigo->setObjectName(QStringLiteral("Lstcodigo"));
    c.Lstcodigo->setGeometry(twips(4920, 2640, 615, 345));
    c.Lstcodigo->setFont(boldSerif());
    c.Lstcodigo->setToolTip("Escriba un MENSAJE o cree una IMAGEN precione adicionar o Carque un "
                            "archivo ya guardado");

    c.Text1 = new QLineEdit(client);
    c.Text1->setObjectName(QStringLiteral("Text1"));
    c.Text1->setGeometry(twips(5520, 2640, 6255, 345));
    c.Text1->setFont(boldSerif());
    // What a record holds: a longer text would be cut silently when stored.
    c.Text1->setMaxLength(static_cast<int>(tipomensaje::kTextLength));
    c.Text1->setToolTip("Escriba aqui y elija ADICIONAR si a modificado un texto y decea "
                        "guardarlo presione  MODIFICAR");

    struct ListButton {
        QPushButton** control;
        const char* caption;
        QRect position;
        const char* tooltip;
    };
    const std::array<ListButton, 3> listButtons = {{
        {&c.ADICIONAR, "ADICIONAR", twips(5880, 3240, 1215, 375),
         "El MENSAJE escrito o la IMAGEN se adicionaran creando un nuevo numero de mensaje"},
        {&c.ELIMINAR, "ELIMINAR", twips(7320, 3240, 1215, 375),
         "Elimina el numero de Mensaje seleccionado"},
        {&c.MODIFICAR, "MODIFICAR", twips(8760, 3240, 1215, 375),
         "Si ud a modificado el mensaje puede grardarce modificado"},
    }};
    for (const ListButton& button : listButtons) {
        auto* control = new QPushButton(QLatin1String(button.caption), client);
        control->setObjectName(QLatin1String(button.caption));
        control->setGeometry(button.position);
        control->setFont(boldSans());
        control->setToolTip(QLatin1String(button.tooltip));
        *button.control = control;
    }
    // The chosen drawing tool shows pressed.
    c.lapiz->setCheckable(true);
    c.goma->setCheckable(true);
}

// The status bar's panels side by side at their widths. Together they are wider than the
// window: the first, a path with room to spare, gives way so that the clock stays whole.
class StatusPanels : public QWidget {
  public:
    static constexpr std::array<int, 4> kWidths = {500, 100, 100, 100};

    StatusPanels(QWidget* parent, std::array<QLabel*, 4>& panels) : QWidget(parent) {
        for (std::size_t i = 0; i < panels.size(); ++i) {
            panels.at(i) = new QLabel(this);
            panels.at(i)->setObjectName(QStringLiteral("panel_%1").arg(i));
            panels.at(i)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        }
        panels_ = panels;
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        const int others = kWidths[1] + kWidths[2] + kWidths[3];
        int left = 0;
        for (std::size_t i = 0; i < panels_.size(); ++i) {
            const int width =
                i == 0 ? std::clamp(this->width() - others, 0, kWidths[0]) : kWidths.at(i);
            panels_.at(i)->setGeometry(left, 0, width, height());
            left += width;
        }
    }

  private:
    std::array<QLabel*, 4> panels_{};
};

void buildStatusBar(QMainWindow& window, MainWindowControls& c) {
    auto* bar = new StatusPanels(&window, c.panel);
    bar->setFixedHeight(window.fontMetrics().height() + 6);
    window.statusBar()->addWidget(bar, 1);
}

} // namespace

std::array<QPushButton*, MainWindowControls::kIconBoxes>
MainWindowControls::buttonsUnderIconBoxes() const {
    return {nuevo,    abrir,     guardar, lapiz,      goma,      pintura, Bomba,
            invertir, mayuscula, Play,    configurar, refrescar, serial};
}

MainWindowControls buildMainWindow(QMainWindow& window) {
    registerIcons();
    MainWindowControls controls;
    // Creation order is tab order and stacking order.
    buildClientArea(window, controls);
    controls.menu = buildMainMenu(*window.menuBar());
    buildStatusBar(window, controls);
    return controls;
}

QColor pressedFace(const QColor& color) {
    // A darker face would hardly differ from a dark skin's buttons.
    return isDark(color) ? color.lighter(160) : color.darker(125);
}

bool isDark(const QColor& color) {
    return 299 * color.red() + 587 * color.green() + 114 * color.blue() < 128 * 1000;
}

void paintBackground(QWidget* control, const QColor& color) {
    const QString background = color.name();
    if (qobject_cast<QPushButton*>(control) != nullptr) {
        // A style sheet background works under every style; the border keeps it a button.
        const QString border = color.darker(170).name();
        const QString pressed = pressedFace(color).name();
        control->setStyleSheet(
            QStringLiteral("QPushButton { background-color: %1; border: 1px solid %2;"
                           " border-radius: 3px; }"
                           " QPushButton:pressed, QPushButton:checked { background-color: %3;"
                           " border: 2px inset %2; }")
                .arg(background, border, pressed));
    } else {
        control->setStyleSheet(QStringLiteral("background-color: %1;").arg(background));
    }
}

} // namespace lumivel
