// SPDX-License-Identifier: GPL-3.0-or-later
// The functions the page calls (browser/core.js). Each returns the state the page shows
// as JSON, or a pointer into memory the page reads at once; the strings returned stay
// valid until the next call.
#include "wasm/web_dialogs.hpp"
#include "wasm/web_session.hpp"
#include "wasm/web_transfer.hpp"

#include <emscripten.h>

#include <cstdlib>
#include <string>

namespace {

lumivel::WebSession& session() {
    static lumivel::WebDialogs dialogs;
    static lumivel::WebSession s(dialogs);
    return s;
}

const char* answer(std::string json) {
    static std::string last;
    last = std::move(json);
    return last.c_str();
}

const char* state() {
    return answer(lumivel::stateJson(session()));
}

// An effect's frame, the sign's LEDs or the file's bytes, copied where the page reads.
std::vector<std::uint8_t>& outgoing() {
    static std::vector<std::uint8_t> bytes;
    return bytes;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* lv_start() {
    // Scratch message files go to the page's own files, kept by the page in the browser.
    setenv("XDG_STATE_HOME", "/estado", 1);
    session().start();
    return state();
}

EMSCRIPTEN_KEEPALIVE const char* lv_state() {
    return state();
}

EMSCRIPTEN_KEEPALIVE const char* lv_set_text(const char* utf8) {
    session().setText(utf8);
    return state();
}

EMSCRIPTEN_KEEPALIVE const char* lv_control(const char* control, int index) {
    session().click(control, index);
    return state();
}

EMSCRIPTEN_KEEPALIVE const char* lv_mouse(int kind, int buttons, double x, double y) {
    session().mouse(kind, buttons, x, y);
    return state();
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* lv_leds() {
    return session().surface.states().data();
}

EMSCRIPTEN_KEEPALIVE const char* lv_look() {
    return answer(lumivel::lookJson(session()));
}

EMSCRIPTEN_KEEPALIVE int lv_effect(const char* name) {
    return session().runEffect(name);
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* lv_effect_frame(int i) {
    const auto& frames = session().frames;
    if (i < 0 || i >= static_cast<int>(frames.size())) {
        return session().surface.states().data();
    }
    return frames[static_cast<std::size_t>(i)].states.data();
}

EMSCRIPTEN_KEEPALIVE int lv_effect_wait(int i) {
    const auto& frames = session().frames;
    if (i < 0 || i >= static_cast<int>(frames.size())) {
        return 0;
    }
    return frames[static_cast<std::size_t>(i)].durationMs;
}

EMSCRIPTEN_KEEPALIVE const char* lv_effect_end(int waits) {
    session().endEffect(waits);
    session().frames.clear();
    return state();
}

EMSCRIPTEN_KEEPALIVE const char* lv_action(const char* name, int index) {
    session().action(name, index);
    return state();
}

EMSCRIPTEN_KEEPALIVE const char* lv_open_path(const char* path) {
    session().openPath(path);
    return state();
}

EMSCRIPTEN_KEEPALIVE int lv_file_size() {
    const auto bytes = session().fileBytes();
    if (!bytes) {
        return -1;
    }
    outgoing() = *bytes;
    return static_cast<int>(outgoing().size());
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* lv_file_bytes() {
    return outgoing().data();
}

// The transmission image into the same place as the file's bytes; -1 when it cannot be sent.
EMSCRIPTEN_KEEPALIVE int lv_image_size() {
    const auto bytes = session().transmissionImage();
    if (!bytes) {
        return -1;
    }
    outgoing() = *bytes;
    return static_cast<int>(outgoing().size());
}

EMSCRIPTEN_KEEPALIVE const char* lv_import(int width, int height, const std::uint8_t* rgba,
                                           int threshold, int invert) {
    session().importImage(width, height, rgba, threshold, invert != 0);
    return state();
}

EMSCRIPTEN_KEEPALIVE const char* lv_text_picture(const char* utf8, int fontIndex, int alignment) {
    session().textToPicture(utf8, fontIndex, alignment);
    return state();
}

EMSCRIPTEN_KEEPALIVE const char* lv_text_cut(const char* utf8, int fontIndex) {
    return answer(lumivel::textCutJson(utf8, fontIndex));
}

// The transmission panel's labels, from the messages as they are now.
EMSCRIPTEN_KEEPALIVE const char* lv_transfer_panel() {
    session().transfer.reload();
    return answer(lumivel::panelJson(session().transfer));
}

// "Enviar": waits for the whole transfer (Asyncify) and says how it ended.
EMSCRIPTEN_KEEPALIVE const char* lv_send(const char* portName, int usbVendorId,
                                         const char* system) {
    return answer(lumivel::sendFromPage(session().transfer, portName, usbVendorId, system));
}

} // extern "C"
