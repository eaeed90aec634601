#pragma once
#include "display/dialogs.hpp"

class QWidget;

namespace lumivel {

// The real dialogs: QMessageBox, QFileDialog (without its own overwrite question, so the
// program asks once) and QColorDialog, modal to `parent`.
class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}

    Respuesta mensaje(const CajaMensaje& caja) override;
    std::optional<std::string> abrirArchivo(const OpcionesArchivo& opciones) override;
    std::optional<std::string> guardarArchivo(const OpcionesArchivo& opciones) override;
    std::optional<Rgb> elegirColor(Rgb inicial) override;

  private:
    std::optional<std::string> archivo(const OpcionesArchivo& opciones, bool guardar);

    QWidget* parent_;
};

} // namespace lumivel
