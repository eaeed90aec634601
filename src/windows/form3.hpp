#pragma once
#include "ui/skin.hpp"
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace lumivel {

class DrawingController;
class Form1;
class Form2;
class Form5;
class GuiPacer;
class IconBox;
class SignWidget;
class StoreController;

// The main window. It owns the program's state and mirrors it in its controls; each
// handler turns a Qt event into one call on the state and then shows the result.
// Every control is reachable under its design name, so other parts of the program wire
// their handlers to the controls' signals.
class Form3 : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int kIconBoxes = 13;
    static constexpr int kSkins = 10;

    // Uses the given dialogs (tests pass scripted ones) or owns the real ones.
    explicit Form3(Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~Form3() override;

    // Font of the program's windows: a plain sans of the size the designs assume.
    static QFont fuenteVentana();
    // Background colour given to a control by colorbotones (invalid before).
    static QColor colorDeFondo(const QWidget* control);

    Lumivel& estado() { return lumivel_; }
    Dialogs& dialogs() { return *dialogs_; }
    Skin& Skin1() { return skin1_; }
    Form5* ventanaColores() const;
    Form2* ventanaAcercaDe() const;
    Form1* ventanaTransmision() const;
    StoreController& store() { return *store_; }

    QPushButton* nuevo() const { return nuevo_; }
    QPushButton* abrir() const { return abrir_; }
    QPushButton* guardar() const { return guardar_; }
    QPushButton* lapiz() const { return lapiz_; }
    QPushButton* goma() const { return goma_; }
    QPushButton* pintura() const { return pintura_; }
    QPushButton* Bomba() const { return Bomba_; }
    QPushButton* invertir() const { return invertir_; }
    QPushButton* mayuscula() const { return mayuscula_; }
    QPushButton* Play() const { return Play_; }
    QPushButton* configurar() const { return configurar_; }
    QPushButton* refrescar() const { return refrescar_; }
    QPushButton* serial() const { return serial_; }
    QPushButton* Reloj() const { return Reloj_; }
    QAbstractButton* Option1(int index) const;
    QAbstractButton* Opletra(int index) const;
    QAbstractButton* op_mostrar(int index) const;
    IconBox* picmenu(int index) const;
    QFrame* Picture1() const { return Picture1_; }
    SignWidget* Pic() const { return Pic_; }
    QLineEdit* Text1() const { return Text1_; }
    QListWidget* Lstcodigo() const { return Lstcodigo_; }
    QPushButton* ADICIONAR() const { return ADICIONAR_; }
    QPushButton* ELIMINAR() const { return ELIMINAR_; }
    QPushButton* MODIFICAR() const { return MODIFICAR_; }
    QLabel* panel(int index) const { return panels_.at(static_cast<std::size_t>(index)); }

    QAction* opnuevo() const { return opnuevo_; }
    QAction* opabrir() const { return opabrir_; }
    QAction* opguardar() const { return opguardar_; }
    QAction* opsalir() const { return opsalir_; }
    QAction* optexto() const { return optexto_; }
    QAction* opgrafico() const { return opgrafico_; }
    QAction* opconfiguracion() const { return opconfiguracion_; }
    QAction* opsimular() const { return opsimular_; }
    QAction* openviar() const { return openviar_; }
    QAction* opreloj() const { return opreloj_; }
    QAction* MNUCamb(int index) const { return MNUCamb_.at(static_cast<std::size_t>(index)); }
    QAction* opayuda() const { return opayuda_; }
    QAction* opacerdade() const { return opacerdade_; }
    QAction* WEB() const { return WEB_; }

    // Brings every control in line with the state after a handler has changed it.
    void reflejar();
    // Colours the toolbar, its icon boxes and Picture1 with the skin's colour.
    void colorbotones();
    // True while an effect or the figure animation plays.
    bool reproduciendo() const { return pacer_ != nullptr; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load();
    void conectarControladores();
    void conectarVentanas();
    void configurar_Click();
    void serial_Click();
    void opacerdade_Click();
    void MNUCamb_Click(int index);
    void opsalir_Click();
    void crearControles();
    void crearBarraDeHerramientas(QWidget* cliente);
    void crearMenus();
    void crearBarraDeEstado();
    void actualizarFechaHora();
    void reflejarTexto();
    void Form_Resize();
    void refrescar_Click();
    void picmenu_Click(int index);
    void Play_Click();
    void Reloj_Click();
    // Runs an effect with input blocked; closes the window afterwards if asked meanwhile.
    template <typename Efecto> void reproducir(Efecto efecto);

    Lumivel lumivel_;
    std::unique_ptr<Dialogs> dialogosPropios_;
    Dialogs* dialogs_ = nullptr;
    Skin skin1_;
    GuiPacer* pacer_ = nullptr;
    bool cerrarAlTerminar_ = false;
    // Set once the message file has been dealt with, so closing asks nothing more.
    bool salidaConfirmada_ = false;
    std::unique_ptr<StoreController> store_;
    std::unique_ptr<DrawingController> dibujo_;
    // Secondary windows delete themselves when closed; one of each at a time.
    QPointer<Form5> form5_;
    QPointer<Form2> form2_;
    QPointer<Form1> form1_;

    QFrame* Picture1_ = nullptr;
    SignWidget* Pic_ = nullptr;
    QLineEdit* Text1_ = nullptr;
    QListWidget* Lstcodigo_ = nullptr;
    QGroupBox* Frame2_ = nullptr;
    QGroupBox* Frame1_ = nullptr;
    std::array<QAbstractButton*, 2> Option1_{};
    std::array<QAbstractButton*, 4> Opletra_{};
    std::array<QAbstractButton*, 3> op_mostrar_{};
    std::array<IconBox*, kIconBoxes> picmenu_{};
    QButtonGroup* grupoOption1_ = nullptr;
    QButtonGroup* grupoOpletra_ = nullptr;
    QButtonGroup* grupoOpMostrar_ = nullptr;
    QPushButton* nuevo_ = nullptr;
    QPushButton* abrir_ = nullptr;
    QPushButton* guardar_ = nullptr;
    QPushButton* lapiz_ = nullptr;
    QPushButton* goma_ = nullptr;
    QPushButton* pintura_ = nullptr;
    QPushButton* Bomba_ = nullptr;
    QPushButton* invertir_ = nullptr;
    QPushButton* mayuscula_ = nullptr;
    QPushButton* Play_ = nullptr;
    QPushButton* configurar_ = nullptr;
    QPushButton* refrescar_ = nullptr;
    QPushButton* serial_ = nullptr;
    QPushButton* Reloj_ = nullptr;
    QPushButton* ADICIONAR_ = nullptr;
    QPushButton* ELIMINAR_ = nullptr;
    QPushButton* MODIFICAR_ = nullptr;
    std::array<QLabel*, 4> panels_{};
    QTimer* reloj_ = nullptr;

    QAction* opnuevo_ = nullptr;
    QAction* opabrir_ = nullptr;
    QAction* opguardar_ = nullptr;
    QAction* opsalir_ = nullptr;
    QAction* optexto_ = nullptr;
    QAction* opgrafico_ = nullptr;
    QAction* opconfiguracion_ = nullptr;
    QAction* opsimular_ = nullptr;
    QAction* openviar_ = nullptr;
    QAction* opreloj_ = nullptr;
    std::array<QAction*, kSkins> MNUCamb_{};
    QAction* opayuda_ = nullptr;
    QAction* opacerdade_ = nullptr;
    QAction* WEB_ = nullptr;
};

} // namespace lumivel
