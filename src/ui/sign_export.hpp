// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"
#include "presentation/editor_state.hpp"
#include "ui/gif_writer.hpp"

#include <QColor>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lumivel {

using SignColumns = std::array<std::uint8_t, 64>;

// What the sign shows during one wait of an effect, and for how long.
struct TimedColumns {
    SignColumns columns{};
    int milliseconds = 0;
};

// The message on the sign: in drawing mode the picture, otherwise the text composed in its
// font, as it stands before any effect moves it.
SignColumns messageColumns(const EditorState& l);

// The selected effect played on a copy of the state, one entry per wait; a picture is one
// still entry. Fails with what the window would say when there is nothing to play.
Result<std::vector<TimedColumns>> recordEffect(const EditorState& l);

// GIF frames of the recording with LEDs lit in `lit`; equal consecutive frames become one
// showing for the sum of their times.
std::vector<GifFrame> animationFrames(const std::vector<TimedColumns>& recording, QColor lit);

enum class ExportKind { Png, Gif };

// Writes the message on the sign, as the window paints it, to `path`: a PNG of the still
// sign or a looping GIF of the effect. Nothing half-written is left on failure.
Result<void> exportSign(const EditorState& l, ExportKind kind, const std::string& path, QColor lit);

} // namespace lumivel
