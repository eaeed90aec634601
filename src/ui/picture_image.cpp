#include "ui/picture_image.hpp"

#include <QFileInfo>
#include <QImageReader>

#include <span>

namespace lumivel {
namespace {

std::string readerProblem(const QImageReader& reader) {
    switch (reader.error()) {
    case QImageReader::FileNotFoundError:
        return "no existe";
    case QImageReader::DeviceError:
        return "no se puede leer";
    case QImageReader::UnsupportedFormatError:
        return "no es una imagen en un formato conocido (PNG, BMP, GIF o JPEG)";
    case QImageReader::InvalidDataError:
        return "la imagen está dañada o incompleta";
    default:
        return "no se pudo leer la imagen";
    }
}

} // namespace

Result<QImage> readImageFile(const QString& path) {
    const std::string where = path.toStdString();
    // A folder opens as a device that reads nothing: say what it is.
    if (QFileInfo(path).isDir()) {
        return Error{"es una carpeta, no una imagen", where};
    }
    QImageReader reader(path);
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
