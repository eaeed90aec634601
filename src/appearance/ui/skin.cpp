#include "appearance/ui/skin.hpp"

#include <QWidget>

namespace lumivel {

bool Skin::cargar(const QString&) { return false; }

void Skin::aplicar(QWidget* window) const {
    if (!hojaDeEstilo_.isEmpty()) {
        window->setStyleSheet(hojaDeEstilo_);
    }
}

} // namespace lumivel
