#pragma once
#include "presentation/pacer.hpp"

#include <QElapsedTimer>
#include <functional>
#include <memory>

class QEventLoop;

namespace lumivel {

class InputBlocker;

// Plays an effect in real time in the window. From its first wait until it is destroyed
// every user input of the application is swallowed (see InputBlocker); painting and
// timers go on. Frame deadlines are counted from its creation on a monotonic clock, so
// drawing time does not add up over the frames.
class GuiPacer : public Pacer {
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

  private:
    std::function<void()> antesDeEsperar_;
    QElapsedTimer reloj_;
    qint64 plazo_ = 0; // milliseconds since creation at which the current wait ends
    bool detenido_ = false;
    std::unique_ptr<InputBlocker> blocker_;
    QEventLoop* bucle_ = nullptr;
};

} // namespace lumivel
