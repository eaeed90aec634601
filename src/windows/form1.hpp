#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"
#include "transmission/transmission_image.hpp"
#include "ui/transfer_thread.hpp"

#include <QWidget>
#include <array>
#include <deque>
#include <functional>

class QButtonGroup;
class QFileSystemWatcher;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTimer;

namespace lumivel {

// The transmission window: shows how many messages and bytes will be sent, sends them to
// the sign with "Enviar" and follows the transfer. The image is rebuilt from the open
// message file at every "Enviar", and the labels follow the file while the window is open
// (it watches the file and looks again whenever it is activated); bring an open window
// forward with mostrar() instead of creating another. Deletes itself when closed.
class Form1 : public QWidget {
    Q_OBJECT
  public:
    // `alCerrar` redraws the main window's sign; it runs whenever the window closes.
    Form1(Lumivel& lumivel, Dialogs& dialogs, std::function<void()> alCerrar,
          QWidget* parent = nullptr);
    ~Form1() override;

    // Shows the window, or brings it forward if it is already shown.
    void mostrar();

    // The device "Enviar" opens: the typed or picked one, else the chosen CommN, else port 1.
    QString puerto() const;
    bool transfiriendo() const { return hilo_ != nullptr; }
    // Tests replace the serial line with their own port.
    void setFabricaPuerto(FabricaPuerto fabrica) { fabrica_ = std::move(fabrica); }
    // How long each byte waits for its echo (100 ms unless changed).
    void setEsperaRespuesta(int milisegundos) { esperaMs_ = milisegundos; }

    const ResultadoCarga& carga() const { return carga_; }
    const ImagenTransmision& imagen() const { return imagen_; }
    // The outcome of the last transfer.
    const ResultadoEnvio& ultimoEnvio() const { return ultimoEnvio_; }

    QLabel* SkinLabel1() const { return SkinLabel1_; }
    QLabel* SkinLabel2() const { return SkinLabel2_; }
    QProgressBar* ProgressBar1() const { return ProgressBar1_; }
    QPushButton* Command1() const { return Command1_; }
    QPushButton* Command2() const { return Command2_; }
    QRadioButton* Option1(int index) const { return Option1_.at(static_cast<std::size_t>(index)); }
    QComboBox* otroPuerto() const { return otroPuerto_; }
    QLabel* panel(int index) const { return panels_.at(static_cast<std::size_t>(index)); }

    void Command1_Click();
    void Command2_Click();
    void Option1_Click(int index);
    // Rebuilds the image from the open message file and refreshes the labels; nothing
    // happens during a transfer, which sends the image it started with.
    void recargar();

  signals:
    void transferenciaTerminada();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void crearControles();
    void Form_Load();
    void mostrarEtiquetas();
    void vigilar();
    void actualizarFechaHora();
    void bloquear(bool enCurso);
    void alTerminar();
    // Boxes raised while another is open wait their turn instead of stacking.
    void mostrarCaja(const CajaMensaje& caja);

    Lumivel& lumivel_;
    Dialogs& dialogs_;
    std::function<void()> alCerrar_;
    FabricaPuerto fabrica_ = fabricaPuertoSerie();
    int esperaMs_ = kEsperaRespuestaMs;

    ImagenTransmision imagen_;
    ResultadoCarga carga_;
    ResultadoEnvio ultimoEnvio_;
    TransferThread* hilo_ = nullptr;
    QObject* bloqueo_ = nullptr;
    std::deque<CajaMensaje> cajas_;
    bool mostrandoCaja_ = false;

    QGroupBox* Frame1_ = nullptr;
    std::array<QRadioButton*, kSerialPortCount> Option1_{};
    QButtonGroup* grupoOption1_ = nullptr;
    QLabel* etiquetaOtro_ = nullptr;
    QComboBox* otroPuerto_ = nullptr;
    QLabel* SkinLabel1_ = nullptr;
    QProgressBar* ProgressBar1_ = nullptr;
    QLabel* SkinLabel2_ = nullptr;
    QPushButton* Command1_ = nullptr;
    QPushButton* Command2_ = nullptr;
    QStatusBar* StatusBar1_ = nullptr;
    std::array<QLabel*, 3> panels_{};
    QTimer* reloj_ = nullptr;
    QFileSystemWatcher* vigilante_ = nullptr;
};

} // namespace lumivel
