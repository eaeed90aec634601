// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/gif_writer.hpp"

#include "base/whole_file.hpp"

#include <gif_lib.h>

#include <cstdint>
#include <map>

namespace lumivel {
namespace {

constexpr int kMaxColours = 256;
constexpr int kMaxDelay = 65535; // the delay field is 16 bits of centiseconds

Error gifFailure(const std::string& path, int code) {
    const char* why = GifErrorString(code);
    return Error{std::string("no se pudo escribir la animación GIF (giflib: ") +
                     (why != nullptr ? why : "error desconocido") + ")",
                 path};
}

// The colours of all frames, each with its palette index; fails past 256.
bool buildPalette(const std::vector<GifFrame>& frames, std::map<QRgb, int>& index,
                  std::vector<GifColorType>& colours) {
    QRgb last = 0;
    for (const GifFrame& frame : frames) {
        for (int y = 0; y < frame.image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(frame.image.constScanLine(y));
            for (int x = 0; x < frame.image.width(); ++x) {
                const QRgb c = line[x] | 0xFF000000U;
                // Runs of one colour are the rule on the sign: look up only changes.
                if (c == last || index.count(c) != 0) {
                    last = c;
                    continue;
                }
                last = c;
                if (static_cast<int>(colours.size()) == kMaxColours) {
                    return false;
                }
                index.emplace(c, static_cast<int>(colours.size()));
                colours.push_back({static_cast<GifByteType>(qRed(c)),
                                   static_cast<GifByteType>(qGreen(c)),
                                   static_cast<GifByteType>(qBlue(c))});
            }
        }
    }
    // A colour map holds a power of two of entries, at least two.
    std::size_t size = 2;
    while (size < colours.size()) {
        size *= 2;
    }
    colours.resize(size, GifColorType{0, 0, 0});
    return true;
}

// The "NETSCAPE2.0" application block with a loop count of 0: play for ever.
int putLoopForever(GifFileType* gif) {
    static const GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A',
                                               'P', 'E', '2', '.', '0'};
    static const GifByteType kLoop[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif, sizeof kApplication, kApplication) == GIF_ERROR ||
        EGifPutExtensionBlock(gif, sizeof kLoop, kLoop) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif) == GIF_ERROR) {
        return GIF_ERROR;
    }
    return GIF_OK;
}

int putFrame(GifFileType* gif, const GifFrame& frame, const std::map<QRgb, int>& index) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.DelayTime = std::min(std::max(frame.centiseconds, 0), kMaxDelay);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    const int width = frame.image.width();
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
            GIF_ERROR ||
        EGifPutImageDesc(gif, 0, 0, width, frame.image.height(), false, nullptr) == GIF_ERROR) {
        return GIF_ERROR;
    }
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    QRgb last = 0;
    GifPixelType lastIndex = 0;
    for (int y = 0; y < frame.image.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(frame.image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb c = pixels[x] | 0xFF000000U;
            if (c != last) {
                last = c;
                lastIndex = static_cast<GifPixelType>(index.at(c));
            }
            line[static_cast<std::size_t>(x)] = lastIndex;
        }
        if (EGifPutLine(gif, line.data(), width) == GIF_ERROR) {
            return GIF_ERROR;
        }
    }
    return GIF_OK;
}

int appendBytes(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

// Encodes the whole animation into `out`. 0 or a giflib code.
int encode(std::vector<std::uint8_t>& out, const std::vector<GifFrame>& frames,
           const std::map<QRgb, int>& index, std::vector<GifColorType>& colours) {
    int code = 0;
    GifFileType* gif = EGifOpen(&out, appendBytes, &code);
    if (gif == nullptr) {
        return code;
    }
    EGifSetGifVersion(gif, true);
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    const QImage& first = frames.front().image;
    bool ok = map != nullptr &&
              EGifPutScreenDesc(gif, first.width(), first.height(), map->BitsPerPixel, 0, map) !=
                  GIF_ERROR &&
              putLoopForever(gif) != GIF_ERROR;
    for (std::size_t k = 0; ok && k < frames.size(); ++k) {
        ok = putFrame(gif, frames[k], index) != GIF_ERROR;
    }
    code = ok ? 0 : (map == nullptr ? E_GIF_ERR_NOT_ENOUGH_MEM : gif->Error);
    GifFreeMapObject(map);
    int closeCode = 0;
    if (EGifCloseFile(gif, &closeCode) == GIF_ERROR && code == 0) {
        code = closeCode;
    }
    return code;
}

} // namespace

Result<void> writeGif(const std::string& path, const std::vector<GifFrame>& frames) {
    if (frames.empty()) {
        return Error{"no hay cuadros que escribir en la animación GIF", path};
    }
    std::vector<GifFrame> converted;
    converted.reserve(frames.size());
    for (const GifFrame& frame : frames) {
        if (frame.image.size() != frames.front().image.size()) {
            return Error{"los cuadros de la animación no tienen todos el mismo tamaño", path};
        }
        converted.push_back(
            {frame.image.convertToFormat(QImage::Format_RGB32), frame.centiseconds});
    }
    std::map<QRgb, int> index;
    std::vector<GifColorType> colours;
    if (!buildPalette(converted, index, colours)) {
        return Error{"la animación tiene más de 256 colores y no cabe en un GIF", path};
    }
    std::vector<std::uint8_t> bytes;
    if (const int code = encode(bytes, converted, index, colours); code != 0) {
        return gifFailure(path, code);
    }
    return replaceWholeFile(path, bytes, "la animación GIF");
}

} // namespace lumivel
