#pragma once
#include "presentation/pacer.hpp"

#include <QElapsedTimer>
#include <QObject>
#include <functional>

class QEventLoop;

namespace lumivel {

// Plays an effect in real time in the window. From its first wait until it is destroyed
// every user input of the application (keys, clicks, wheel, shortcuts, menus) is
// swallowed; painting and timers go on. Frame deadlines are counted from its creation on a
// monotonic clock, so drawing time does not add up over the frames.
class GuiPacer : public QObject, public Pacer {
    Q_OBJECT
  public:
    // `antesDeEsperar` runs before each wait, to bring the controls in line with the frame.
    explicit GuiPacer(std::function<void()> antesDeEsperar = {});
    ~GuiPacer() override;
    GuiPacer(const GuiPacer&) = delete;
    GuiPacer& operator=(const GuiPacer&) = delete;

    void esperar(int milisegundos) override;
    bool detenido() const override { return detenido_; }
    // Ends the current wait at once and makes the effect stop at its next check.
    void detener();

    // Whether an event is user input that must not reach any handler during an effect.
    static bool esEntradaDeUsuario(const QEvent* event);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> antesDeEsperar_;
    QElapsedTimer reloj_;
    qint64 plazo_ = 0; // milliseconds since creation at which the current wait ends
    bool detenido_ = false;
    bool filtrando_ = false;
    QEventLoop* bucle_ = nullptr;
};

} // namespace lumivel
