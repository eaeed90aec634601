// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cmd_play.hpp"

#include "app/arguments.hpp"
#include "app/font_option.hpp"
#include "app/offscreen_sign.hpp"
#include "display/scripted_dialogs.hpp"
#include "presentation/presentation_choice.hpp"
#include "presentation/recording_pacer.hpp"
#include "presentation/simulation.hpp"
#include "session/message_sequence.hpp"

#include <chrono>
#include <functional>
#include <ostream>
#include <thread>

namespace lumivel::cli {
namespace {

// Plays in real time: on a terminal the ASCII sign is redrawn in place at every wait;
// elsewhere (a pipe, a file) the frames follow one another, separated by an empty line,
// with no cursor codes. Deadlines on a monotonic clock keep drawing time from adding up.
class TerminalPacer : public Pacer {
  public:
    TerminalPacer(const ShownSign& shown, std::ostream& out, bool inPlace)
        : shown_(shown), out_(out), inPlace_(inPlace), start_(std::chrono::steady_clock::now()) {}

    void wait(int durationMs) override {
        draw();
        deadline_ += std::chrono::milliseconds(durationMs);
        std::this_thread::sleep_until(start_ + deadline_);
    }

    void draw() {
        if (drawn_ && inPlace_) {
            out_ << "\x1b[" << ShownSign::kRows << 'A'; // back to the first line of the sign
        } else if (drawn_) {
            out_ << '\n';
        }
        out_ << shown_.asciiArt() << std::flush;
        drawn_ = true;
    }

  private:
    const ShownSign& shown_;
    std::ostream& out_;
    bool inPlace_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::milliseconds deadline_{0};
    bool drawn_ = false;
};

} // namespace

Result<int> playCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args =
        parseArguments(argv, {{"effect", true}, {"font", true}, {"frames", false}, {"file", true}});
    const auto file = args.value("file");
    OffscreenSign sign(file ? 0 : fontIndex(args));
    ScriptedDialogs dialogs;
    std::vector<tipomensaje> messages;
    // Plays on the pacer; false when there was nothing to play.
    std::function<bool(Pacer&)> play;
    if (file) {
        if (!args.positional.empty() || args.value("effect") || args.value("font")) {
            throw UsageError{"play --file ARCHIVO no lleva TEXTO, --effect ni --font: cada "
                             "mensaje tiene los suyos"};
        }
        MessageFile archivo;
        LUMIVEL_TRY_VOID(archivo.open(*file, MessageFile::Access::ReadOnly));
        LUMIVEL_TRY(messages, activeMessages(archivo));
        if (messages.empty()) {
            return Error{"no tiene messages que mostrar", *file};
        }
        play = [&](Pacer& pacer) {
            playMessages(sign.state(), messages, pacer);
            return true;
        };
    } else {
        if (args.positional.size() != 1) {
            throw UsageError{"play necesita un TEXTO"};
        }
        if (!args.value("effect")) {
            throw UsageError{"falta --effect"};
        }
        selectOpMostrar(sign.state(), effectIndex(args));
        sign.compose(args.positional.front());
        play = [&](Pacer& pacer) { return Play_Click(sign.state(), dialogs, pacer); };
    }

    bool ran = false;
    if (args.has("frames")) {
        RecordingPacer pacer(&sign.shown());
        pacer.onWait = [&](const RecordingPacer::Delay& delay) {
            streams.out << delay.durationMs << ' ' << delay.columnas << '\n';
        };
        ran = play(pacer);
        if (ran) {
            streams.out << "end " << sign.shown().hexLine() << '\n';
        }
    } else {
        TerminalPacer pacer(sign.shown(), streams.out, streams.terminal);
        ran = play(pacer);
        if (ran) {
            pacer.draw();
        }
    }
    if (!ran) {
        // Refused: the boxes the window would show say why.
        std::string why;
        for (const MessageBoxSpec& box : dialogs.shownBoxes) {
            if (!why.empty()) {
                why += '\n';
            }
            why += boxText(box);
        }
        return Error{why};
    }
    return kExitOk;
}

} // namespace lumivel::cli
