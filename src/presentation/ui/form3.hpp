#pragma once
#include "display/lumivel.hpp"

#include <QMainWindow>
#include <array>

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;

namespace lumivel {

class SignWidget;

// The main window. It owns the program's state and mirrors it in its controls; each
// handler turns a Qt event into one call on the state and then shows the result.
class Form3 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form3(QWidget* parent = nullptr);

    Lumivel& estado() { return lumivel_; }
    SignWidget* Pic() const { return Pic_; }
    QLineEdit* Text1() const { return Text1_; }
    QPushButton* mayuscula() const { return mayuscula_; }
    QPushButton* refrescar() const { return refrescar_; }
    QRadioButton* Opletra(int index) const { return Opletra_.at(static_cast<std::size_t>(index)); }
    QLabel* panel(int index) const { return panels_.at(static_cast<std::size_t>(index)); }

    // Brings every control in line with the state after a handler has changed it.
    void reflejar();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void crearControles();
    void crearBarraDeEstado();
    void actualizarFechaHora();
    void Form_Resize();
    void refrescar_Click();

    Lumivel lumivel_;

    QFrame* Picture1_ = nullptr;
    SignWidget* Pic_ = nullptr;
    QLineEdit* Text1_ = nullptr;
    QListWidget* Lstcodigo_ = nullptr;
    QGroupBox* Frame2_ = nullptr;
    QGroupBox* Frame1_ = nullptr;
    std::array<QRadioButton*, 4> Opletra_{};
    std::array<QRadioButton*, 3> op_mostrar_{};
    QButtonGroup* grupoOpletra_ = nullptr;
    QButtonGroup* grupoOpMostrar_ = nullptr;
    QPushButton* mayuscula_ = nullptr;
    QPushButton* refrescar_ = nullptr;
    std::array<QLabel*, 4> panels_{};
    QTimer* reloj_ = nullptr;
};

} // namespace lumivel
