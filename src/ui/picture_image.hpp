// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"
#include "drawing/picture_edit.hpp"
#include "drawing/picture_import.hpp"

#include <QImage>
#include <QString>

#include <cstddef>

namespace lumivel {

// Larger files are refused unread: no picture for a 64x8 sign needs more.
constexpr std::size_t kMaxImageBytes = std::size_t{64} * 1024 * 1024;

// An image file read for import: the first frame of an animation, or why it cannot be.
// Only a regular file of at most kMaxImageBytes is read (never a FIFO, which would block).
// The reason is Spanish and the error names the file.
Result<QImage> readImageFile(const QString& path);

// The import rule on a decoded image (any format; it is converted to RGBA first).
Picture pictureFromImage(const QImage& image, int threshold = kDefaultImportThreshold,
                         bool invert = false);

} // namespace lumivel
