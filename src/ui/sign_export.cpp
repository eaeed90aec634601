// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sign_export.hpp"

#include "base/whole_file.hpp"
#include "display/composition.hpp"
#include "display/scripted_dialogs.hpp"
#include "display/shown_sign.hpp"
#include "presentation/editing_mode.hpp"
#include "presentation/recording_pacer.hpp"
#include "presentation/simulation.hpp"
#include "ui/sign_image.hpp"

#include <QBuffer>

namespace lumivel {
namespace {

SignColumns shownColumns(const ShownSign& shown) {
    SignColumns columns{};
    for (int k = 0; k < ShownSign::kColumns; ++k) {
        columns[static_cast<std::size_t>(k)] = shown.columnByte(k);
    }
    return columns;
}

// Encoded in memory, then saved the way the GIF is.
Result<void> writePng(const std::string& path, const QImage& image) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        return Error{"no se pudo codificar la imagen PNG", path};
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(encoded.constData());
    return replaceWholeFile(path, {data, static_cast<std::size_t>(encoded.size())},
                            "la imagen PNG");
}

} // namespace

SignColumns messageColumns(const EditorState& l) {
    SignColumns columns{};
    if (l.option1 == kDrawingMode) {
        for (std::size_t k = 0; k < columns.size(); ++k) {
            columns[k] = static_cast<std::uint8_t>(l.sign.vector[k] & 0xFF);
        }
        return columns;
    }
    EditorState copy = l;
    ShownSign shown;
    copy.sign.setSurface(&shown);
    copy.sign.refrescar();
    Text1_Change(copy);
    return shownColumns(shown);
}

Result<std::vector<TimedColumns>> recordEffect(const EditorState& l) {
    if (l.option1 == kDrawingMode) {
        return std::vector<TimedColumns>{{messageColumns(l), 0}};
    }
    EditorState copy = l;
    ShownSign shown;
    copy.sign.setSurface(&shown);
    copy.sign.refrescar();
    std::vector<TimedColumns> recording;
    RecordingPacer pacer(&shown);
    pacer.onWait = [&](const RecordingPacer::Delay& delay) {
        recording.push_back({shownColumns(shown), delay.durationMs});
    };
    ScriptedDialogs dialogs;
    if (!Play_Click(copy, dialogs, pacer) || recording.empty()) {
        std::string why = "no hay nada que mostrar";
        if (!dialogs.shownBoxes.empty()) {
            const MessageBoxSpec& box = dialogs.shownBoxes.front();
            why = box.title.empty() ? box.texto : box.title + ": " + box.texto;
        }
        return Error{why};
    }
    return recording;
}

std::vector<GifFrame> animationFrames(const std::vector<TimedColumns>& recording, QColor lit) {
    std::vector<GifFrame> frames;
    const SignColumns* previous = nullptr;
    int milliseconds = 0;
    const auto flush = [&] {
        if (previous != nullptr) {
            frames.push_back({signImage(*previous, lit), (milliseconds + 5) / 10});
        }
    };
    for (const TimedColumns& step : recording) {
        if (previous != nullptr && *previous == step.columns) {
            milliseconds += step.milliseconds;
            continue;
        }
        flush();
        previous = &step.columns;
        milliseconds = step.milliseconds;
    }
    flush();
    return frames;
}

Result<void> exportSign(const EditorState& l, ExportKind kind, const std::string& path,
                        QColor lit) {
    if (kind == ExportKind::Png) {
        return writePng(path, signImage(messageColumns(l), lit));
    }
    const Result<std::vector<TimedColumns>> recording = recordEffect(l);
    if (!recording.ok()) {
        return Error{recording.error().reason, path};
    }
    return writeGif(path, animationFrames(recording.value(), lit));
}

} // namespace lumivel
