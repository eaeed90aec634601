// SPDX-License-Identifier: GPL-3.0-or-later
#include "wasm/web_session.hpp"

#include "appearance/color_config.hpp"
#include "base/windows1252.hpp"
#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "display/picture_composer.hpp"
#include "display/scripted_dialogs.hpp"
#include "drawing/drawing_tools.hpp"
#include "drawing/picture_import.hpp"
#include "presentation/editing_mode.hpp"
#include "presentation/presentation_choice.hpp"
#include "presentation/simulation.hpp"
#include "session/file_choice.hpp"
#include "session/image_fit.hpp"
#include "session/message_list.hpp"
#include "session/simulate_all.hpp"
#include "session/startup.hpp"
#include "store/message_record.hpp"
#include "transmission/transmission_image.hpp"

#include <fstream>
#include <iterator>
#include <span>

namespace lumivel {
namespace {

// The samples of the colour window are not shown on the page: it offers the same choices.
class NoSurface : public SignSurface {
  public:
    void setSize(int, int) override {}
    void drawLed(const LedStroke&) override {}
    void erase() override {}
};

} // namespace

void WebSession::start() {
    l.sign.setSurface(&surface);
    startUp(l, "/");
    l.sign.refrescar();
}

void WebSession::setText(const std::string& utf8) {
    std::string texto = utf8ToWindows1252(utf8);
    if (texto.size() > tipomensaje::kTextLength) {
        texto.resize(tipomensaje::kTextLength);
    }
    changeText(l, texto);
    counting = true;
}

template <typename Step> void WebSession::drawingStep(Step step) {
    history.begin(currentPicture(l.sign));
    step();
    history.end(currentPicture(l.sign));
}

bool WebSession::click(const std::string& control, int index) {
    if (control == "Opletra") {
        Opletra_Click(l, index);
    } else if (control == "op_mostrar") {
        op_mostrar_Click(l, index);
    } else if (control == "Option1") {
        Option1_Click(l, index);
        history.clear();
    } else if (control == "mayuscula") {
        mayuscula_Click(l);
    } else if (control == "lapiz") {
        lapiz_Click(l);
    } else if (control == "goma") {
        goma_Click(l);
    } else if (control == "pintura") {
        drawingStep([this] { pintura_Click(l); });
    } else if (control == "Bomba") {
        drawingStep([this] { Bomba_Click(l); });
    } else if (control == "invertir") {
        drawingStep([this] { invertir_Click(l); });
    } else if (control == "refrescar") {
        l.sign.refrescar();
    } else if (control == "deshacer" || control == "rehacer") {
        const Picture now = currentPicture(l.sign);
        showPicture(l.sign, control == "deshacer" ? history.undo(now) : history.redo(now));
    } else {
        return false;
    }
    return true;
}

void WebSession::mouse(int kind, int buttons, double x, double y) {
    if (kind == 0) {
        if (l.option1 == kDrawingMode && buttons == kLeftButton) {
            history.begin(currentPicture(l.sign));
        }
        Pic_MouseDown(l, buttons, x, y);
        readout = coordinateReadout(x, y);
    } else if (kind == 1) {
        readout = Pic_MouseMove(l, buttons, x, y);
    } else {
        history.end(currentPicture(l.sign));
    }
}

void WebSession::playInto(FramePacer& pacer) {
    if (effectName_ == "Play") {
        ScriptedDialogs quiet; // the text is not empty once frames exist: no box
        Play_Click(l, quiet, pacer);
    } else if (effectName_ == "Reloj") {
        Reloj_Click(l, pacer);
    } else {
        simularTodo(l, effectMessages_, pacer);
    }
}

int WebSession::runEffect(const std::string& name) {
    frames.clear();
    effectName_ = name;
    beforeEffect_ = l;
    surfaceBeforeEffect_ = surface.states();
    if (name == "SimularTodo") {
        std::optional<std::vector<tipomensaje>> messages = messagesToSimulate(l, dialogs);
        if (!messages) {
            return 0;
        }
        effectMessages_ = std::move(*messages);
    } else if (name == "Play" && l.texto.empty()) {
        FramePacer none(surface, -1);
        Play_Click(l, dialogs, none); // "No hay Mensaje"
        return 0;
    } else if (name != "Play" && name != "Reloj") {
        return -1;
    }
    FramePacer pacer(surface, -1);
    playInto(pacer);
    frames = pacer.frames();
    return static_cast<int>(frames.size());
}

void WebSession::endEffect(int waits) {
    if (waits < 0 || frames.empty() || waits >= static_cast<int>(frames.size())) {
        return;
    }
    static_cast<EditorState&>(l) = beforeEffect_;
    l.sign.setSurface(&surface);
    surface.setStates(surfaceBeforeEffect_);
    FramePacer pacer(surface, waits);
    playInto(pacer);
}

bool WebSession::action(const std::string& name, int index) {
    if (name == "ADICIONAR") {
        if (confirmAddFits(l, dialogs)) {
            ADICIONAR_Click(l, dialogs);
        }
    } else if (name == "MODIFICAR") {
        MODIFICAR_Click(l, dialogs);
    } else if (name == "ELIMINAR") {
        ELIMINAR_Click(l, dialogs);
    } else if (name == "Lstcodigo") {
        Lstcodigo_Click(l, dialogs, index);
        history.clear();
    } else if (name == "abrir") {
        abrir_Click(l, dialogs);
    } else if (name == "guardar") {
        guardar_Click(l, dialogs);
    } else if (name == "nuevo") {
        nuevo_Click(l, dialogs);
    } else if (name == "color") {
        NoSurface samples;
        ColorSettings colours(l.sign, dialogs, samples);
        colours.cargar();
        colours.Option1_Click(index);
        l.sign.mostrar();
    } else {
        return false;
    }
    return true;
}

void WebSession::openPath(const std::string& path) {
    lumivel::openPath(l, dialogs, path);
    history.clear();
}

std::optional<std::vector<std::uint8_t>> WebSession::fileBytes() const {
    if (!l.archivo.isOpen()) {
        return std::nullopt;
    }
    std::ifstream in(l.archivo.path(), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::optional<std::vector<std::uint8_t>> WebSession::transmissionImage() {
    transfer.reload();
    if (transfer.load().estado != ImageState::Ready) {
        return std::nullopt;
    }
    return transfer.imageBytes();
}

void WebSession::importImage(int width, int height, const std::uint8_t* rgba, int threshold,
                             bool invert) {
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    const Picture picture =
        importPicture(width, height, std::span<const std::uint8_t>(rgba, bytes), threshold, invert);
    selectOption1(l, kDrawingMode);
    drawingStep([&] { showPicture(l.sign, picture); });
}

void WebSession::textToPicture(const std::string& utf8, int fontIndex, int alignment) {
    const Picture picture =
        composePicture(fontIndex, utf8ToWindows1252(utf8), static_cast<Alignment>(alignment));
    selectOption1(l, kDrawingMode);
    drawingStep([&] { showPicture(l.sign, picture); });
}

} // namespace lumivel
