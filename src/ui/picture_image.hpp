#pragma once
#include "base/result.hpp"
#include "drawing/picture_edit.hpp"
#include "drawing/picture_import.hpp"

#include <QImage>
#include <QString>

namespace lumivel {

// An image file read for import: the first frame of an animation, or why it cannot be.
// The reason is Spanish and the error names the file.
Result<QImage> readImageFile(const QString& path);

// The import rule on a decoded image (any format; it is converted to RGBA first).
Picture pictureFromImage(const QImage& image, int threshold = kDefaultImportThreshold,
                         bool invert = false);

} // namespace lumivel
