// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/picture_image.hpp"

#include "base/whole_file.hpp"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <span>

namespace lumivel {
namespace {

std::string readerProblem(const QImageReader& reader) {
    switch (reader.error()) {
    case QImageReader::UnsupportedFormatError:
        return "no es una imagen en un formato conocido (PNG, BMP, GIF o JPEG)";
    case QImageReader::InvalidDataError:
        return "la imagen está dañada o incompleta";
    default:
        return "no se pudo leer la imagen";
    }
}

void ignoreMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

// The decoders' own warnings would repeat, in English, what our reason already says: Qt's
// go through its message handler, libpng writes straight to the standard error.
class QuietDecoders {
  public:
    QuietDecoders() : previous_(qInstallMessageHandler(ignoreMessage)) {
        std::fflush(stderr);
        stderr_ = ::dup(STDERR_FILENO);
        if (const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC); nowhere >= 0) {
            ::dup2(nowhere, STDERR_FILENO);
            ::close(nowhere);
        }
    }
    ~QuietDecoders() {
        std::fflush(stderr);
        if (stderr_ >= 0) {
            ::dup2(stderr_, STDERR_FILENO);
            ::close(stderr_);
        }
        qInstallMessageHandler(previous_);
    }
    QuietDecoders(const QuietDecoders&) = delete;
    QuietDecoders& operator=(const QuietDecoders&) = delete;

  private:
    QtMessageHandler previous_;
    int stderr_ = -1;
};

} // namespace

Result<QImage> readImageFile(const QString& path) {
    const std::string where = path.toStdString();
    Result<std::vector<std::uint8_t>> bytes =
        readRegularFile(QFile::encodeName(path).toStdString(), kMaxImageBytes);
    if (!bytes.ok()) {
        return Error{bytes.error().reason, where};
    }
    const std::vector<std::uint8_t>& data = bytes.value();
    QByteArray encoded = QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                                 static_cast<qsizetype>(data.size()));
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::ReadOnly);
    const QuietDecoders quiet;
    QImageReader reader(&buffer);
    QImage image = reader.read();
    if (image.isNull()) {
        return Error{readerProblem(reader), where};
    }
    return image;
}

Picture pictureFromImage(const QImage& image, int threshold, bool invert) {
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    // Rows may be padded; the rule wants them packed.
    std::vector<std::uint8_t> pixels;
    const auto rowBytes = static_cast<std::size_t>(rgba.width()) * 4;
    pixels.reserve(rowBytes * static_cast<std::size_t>(rgba.height()));
    for (int y = 0; y < rgba.height(); ++y) {
        const uchar* row = rgba.constScanLine(y);
        pixels.insert(pixels.end(), row, row + rowBytes);
    }
    return importPicture(rgba.width(), rgba.height(), std::span<const std::uint8_t>(pixels),
                         threshold, invert);
}

} // namespace lumivel
