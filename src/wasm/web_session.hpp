// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"
#include "wasm/frame_pacer.hpp"
#include "wasm/led_surface.hpp"
#include "wasm/picture_history.hpp"
#include "wasm/transfer_panel.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumivel {

// Everything the page works on: the program's shared state drawn on the page's surface,
// the page's dialogs, the drawing history and the frames of the last effect.
struct WebSession {
    explicit WebSession(Dialogs& d) : dialogs(d) {}

    Lumivel l;
    TransferPanel transfer{l};
    LedSurface surface;
    Dialogs& dialogs;
    PictureHistory history;
    std::vector<FramePacer::Frame> frames;
    // The pointer readout of the status bar.
    std::string readout;
    // The counter under Text1 shows from the first change the person makes.
    bool counting = false;

    // The window's start-up and first paint.
    void start();
    void setText(const std::string& utf8);
    // A control by its object name; arrays take `index`. False for a name it does not know.
    bool click(const std::string& control, int index);
    // kind 0 press, 1 move, 2 release; x, y in sign pixels.
    void mouse(int kind, int buttons, double x, double y);
    // Runs the effect and keeps its frames; returns how many.
    int runEffect(const std::string& name);
    // Leaves the sign and state as the effect leaves them when stopped after `waits` waits
    // (negative: not stopped).
    void endEffect(int waits);
    // The actions with message boxes; false for a name it does not know.
    bool action(const std::string& name, int index);
    void importImage(int width, int height, const std::uint8_t* rgba, int threshold, bool invert);
    // Open a file the page put into the core's files (a drop, a recovered working file).
    void openPath(const std::string& path);
    // The open message file's bytes; nothing with none open or an unreadable one.
    std::optional<std::vector<std::uint8_t>> fileBytes() const;
    // The transmission image of the open file's active messages, as the transmission
    // window builds it; nothing when it cannot be sent (none, too large, unreadable).
    std::optional<std::vector<std::uint8_t>> transmissionImage();
    // The Texto a dibujo picture put on the sign as a drawing step.
    void textToPicture(const std::string& utf8, int fontIndex, int alignment);

  private:
    template <typename Step> void drawingStep(Step step);
    EditorState beforeEffect_;
    LedSurface::States surfaceBeforeEffect_{};
    std::string effectName_;
    std::vector<tipomensaje> effectMessages_;
    void playInto(FramePacer& pacer);
};

// The state the page shows, as JSON.
std::string stateJson(const WebSession& s);
// How LEDs are painted, as JSON.
std::string lookJson(const WebSession& s);
// What Texto a dibujo would cut of `utf8` in font `fontIndex`: {columns, cut}.
std::string textCutJson(const std::string& utf8, int fontIndex);

} // namespace lumivel
