#pragma once
#include <QColor>
#include <QString>

class QWidget;

namespace lumivel {

// The skin component each window carries: loads a skin file, applies it to a window and
// reports the skin's colour. A missing or unreadable file keeps the current look.
class Skin {
public:
    // The colour reported while no skin has been loaded.
    static QColor colorPorDefecto() { return QColor(0x9F, 0x9F, 0x9F); }

    // Returns false, changing nothing, when the file is missing or unreadable.
    bool cargar(const QString& path);
    void aplicar(QWidget* window) const;
    QColor color() const { return color_; }

private:
    QColor color_ = colorPorDefecto();
    QString hojaDeEstilo_;
};

} // namespace lumivel
