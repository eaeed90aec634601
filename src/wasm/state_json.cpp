// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json.hpp"
#include "base/windows1252.hpp"
#include "display/missing_glyphs.hpp"
#include "presentation/editing_mode.hpp"
#include "session/image_fit.hpp"
#include "session/message_problems.hpp"
#include "store/message_record.hpp"
#include "transmission/image_usage.hpp"
#include "transmission/transmission_image.hpp"
#include "wasm/web_session.hpp"

#include <filesystem>

namespace lumivel {
namespace {

std::string boolean(bool value) {
    return value ? "true" : "false";
}

std::string text(std::string_view windows1252) {
    return jsonString(windows1252ToUtf8(windows1252));
}

// The meters under Text1, as the window shows them.
std::string limitsJson(const WebSession& s) {
    const Lumivel& l = s.l;
    const bool editing = l.option1 == kTextMode && !l.texto.empty();
    const std::string count = editing && s.counting ? std::to_string(l.texto.size()) + "/" +
                                                          std::to_string(tipomensaje::kTextLength)
                                                    : std::string();
    const MessageProblems problems =
        editing ? messageProblems(l.texto, l.tipoletra, l.tipopresentacion) : MessageProblems{};
    const std::string glyphs =
        problems.missing.empty()
            ? std::string()
            : windows1252ToUtf8(missingGlyphsWarning(l.tipoletra - 1, problems.missing));
    const std::string cut = problems.columns > 0
                                ? cutSentence(problems.columns, windows1252ToUtf8(problems.hidden))
                                : std::string();
    return "{\"count\":" + jsonString(count) + ",\"glyphs\":" + jsonString(glyphs) +
           ",\"cut\":" + jsonString(cut) + "}";
}

std::string fileJson(const Lumivel& l) {
    if (!l.archivo.isOpen()) {
        return "null";
    }
    const std::string& path = l.archivo.path();
    const int bytes = openFileImageBytes(l);
    return "{\"path\":" + jsonString(path) +
           ",\"name\":" + jsonString(std::filesystem::path(path).filename().string()) +
           ",\"scratch\":" + boolean(l.scratch.isOpen()) +
           ",\"totalmensajes\":" + std::to_string(l.totalmensajes) +
           ",\"imageBytes\":" + std::to_string(bytes) +
           ",\"imageUsage\":" + jsonString(imageUsage(bytes)) +
           ",\"imageTooBig\":" + boolean(bytes > TransmissionImage::kCapacity) + "}";
}

std::string colour(const Rgb& rgb) {
    return "[" + std::to_string(rgb.r) + "," + std::to_string(rgb.g) + "," + std::to_string(rgb.b) +
           "]";
}

std::string strokeJson(const LedStroke& stroke) {
    return "{\"ring\":" + colour(stroke.ring) + ",\"centre\":" + colour(stroke.centre) +
           ",\"radius\":" + std::to_string(stroke.radius) +
           ",\"ringPen\":" + std::to_string(stroke.ringPen) +
           ",\"dotPen\":" + std::to_string(stroke.dotPen) + "}";
}

} // namespace

std::string stateJson(const WebSession& s) {
    const Lumivel& l = s.l;
    const ModeControls controls = modeControls(l);
    std::string list;
    for (const std::string& entry : l.lstcodigo) {
        list += (list.empty() ? "" : ",") + jsonString(entry);
    }
    return "{\"texto\":" + text(l.texto) + ",\"option1\":" + std::to_string(l.option1) +
           ",\"opletra\":" + std::to_string(l.opletra) +
           ",\"opMostrar\":" + std::to_string(l.opMostrar) + ",\"tool\":\"" +
           (l.tool == DrawingTool::Pencil ? "lapiz" : "goma") +
           "\",\"modeChosen\":" + boolean(modeChosen(l)) +
           ",\"controls\":{\"texto\":" + boolean(controls.texto) +
           ",\"lapiz\":" + boolean(controls.lapiz) + ",\"goma\":" + boolean(controls.goma) +
           ",\"wholeSignTools\":" + boolean(controls.wholeSignTools) +
           ",\"mayuscula\":" + boolean(controls.mayuscula) + "},\"lstcodigo\":[" + list +
           "],\"selected\":" + std::to_string(l.lstcodigoIndex) + ",\"file\":" + fileJson(l) +
           ",\"limits\":" + limitsJson(s) + ",\"readout\":" + jsonString(s.readout) +
           ",\"canUndo\":" + boolean(s.history.canUndo()) +
           ",\"canRedo\":" + boolean(s.history.canRedo()) +
           ",\"colour\":" + colour(l.sign.litCentre()) + "}";
}

namespace {

// The looks come from the sign's own drawing of one LED each way, on a copy.
LedStroke probeStroke(const Sign& sign, bool lit) {
    Sign probe = sign;
    LedSurface surface;
    probe.setSurface(&surface);
    probe.led(0, 0, lit ? 1 : 0);
    return surface.lastStroke();
}

} // namespace

std::string lookJson(const WebSession& s) {
    return "{\"width\":" + std::to_string(Sign::kSurfaceWidth) +
           ",\"height\":" + std::to_string(Sign::kSurfaceHeight) +
           ",\"escala\":" + std::to_string(s.l.sign.escala) +
           ",\"lit\":" + strokeJson(probeStroke(s.l.sign, true)) +
           ",\"unlit\":" + strokeJson(probeStroke(s.l.sign, false)) + "}";
}

std::string textCutJson(const std::string& utf8, int fontIndex) {
    const TextCut cut = textCut(fontIndex, utf8ToWindows1252(utf8), true);
    const std::string sentence =
        cut.columns > 0 ? cutSentence(cut.columns, windows1252ToUtf8(cut.hidden)) : std::string();
    return "{\"columns\":" + std::to_string(cut.columns) + ",\"cut\":" + jsonString(sentence) + "}";
}

} // namespace lumivel
