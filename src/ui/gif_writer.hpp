// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"

#include <QImage>

#include <string>
#include <vector>

namespace lumivel {

struct GifFrame {
    QImage image;
    int centiseconds = 0; // how long it shows
};

// Writes an animated GIF that loops for ever, one image per frame, all of one size and
// of at most 256 colours in all. Saved as replaceWholeFile does; every failure names the file.
Result<void> writeGif(const std::string& path, const std::vector<GifFrame>& frames);

} // namespace lumivel
