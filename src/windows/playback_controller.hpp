// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"

#include <QObject>

namespace lumivel {

class GuiPacer;
class StateChanges;

// Plays the effects ("Play") and the walking figure ("Reloj") in real time, one at a
// time, with the user's input blocked; the handler returns only when the effect is over,
// so nothing else changes the state meanwhile. The text is announced at every frame, the
// whole editor once the effect is over.
class PlaybackController : public QObject {
    Q_OBJECT
  public:
    PlaybackController(Lumivel& l, Dialogs& d, StateChanges& changes, QObject* parent = nullptr);

    bool isPlaying() const { return pacer_ != nullptr; }
    // Stops the effect at once; closeRequested() follows when its handler has returned.
    void stopAndClose();

  public slots:
    void Play_Click();
    void Reloj_Click();
    // "Simular todo": every active message of the open file in order, as the sign shows
    // them; a drawing being edited comes back afterwards.
    void playAll();

  signals:
    void closeRequested();
    // "Simular todo": which message plays ("Mensaje 3 de 8"); empty once they have played.
    void playing(const QString& notice);

  private:
    template <typename Effect> void play(Effect effect);
    void announceEditor();

    Lumivel& l_;
    Dialogs& d_;
    StateChanges& changes_;
    GuiPacer* pacer_ = nullptr;
    bool closeWhenDone_ = false;
};

} // namespace lumivel
