// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/picture_edit.hpp"
#include "drawing/picture_import.hpp"

#include <QtTest>
#include <algorithm>
#include <vector>

using namespace lumivel;

namespace {

struct Rgba {
    int width;
    int height;
    std::vector<std::uint8_t> bytes;

    Rgba(int w, int h) : width(w), height(h), bytes(static_cast<std::size_t>(w * h * 4), 0) {}
    void set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
        std::copy_n(std::array{r, g, b, a}.begin(), 4,
                    bytes.begin() + static_cast<std::ptrdiff_t>((y * width + x) * 4));
    }
    Picture import(int threshold = kDefaultImportThreshold, bool invert = false) const {
        return importPicture(width, height, bytes, threshold, invert);
    }
};

// A checker-like pattern with every grey level at one pixel per LED, blown up `scale` times.
Rgba pattern(int scale) {
    Rgba image(64 * scale, 8 * scale);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const auto grey = static_cast<std::uint8_t>((x / scale * 37 + y / scale * 11) % 256);
            image.set(x, y, grey, grey, grey, 255);
        }
    }
    return image;
}

bool lit(const Picture& p, int c, int r) {
    return (p[static_cast<std::size_t>(c)] >> r) & 1;
}

} // namespace

class PictureOperationsTest : public QObject {
    Q_OBJECT
  private slots:
    // Pixel to LED at 64 x 8; uniform 2 x 2 blocks average to the same picture; the
    // threshold is inclusive; luminance weighs the channels; transparent is unlit.
    void exactAndScaledImagesFollowTheThreshold() {
        const Picture exact = pattern(1).import();
        QCOMPARE(pattern(2).import(), exact);
        for (int c = 0; c < 64; ++c) {
            for (int r = 0; r < 8; ++r) {
                QCOMPARE(lit(exact, c, r), (c * 37 + r * 11) % 256 >= 128);
            }
        }
        Rgba colours(64, 8);
        colours.set(0, 0, 255, 0, 0, 255);   // 76.2
        colours.set(1, 0, 0, 255, 0, 255);   // 149.7
        colours.set(2, 0, 255, 255, 255, 0); // transparent white
        colours.set(3, 0, 128, 128, 128, 255);
        colours.set(4, 0, 255, 255, 255, 128); // half over black: 128
        const Picture p = colours.import();
        QCOMPARE(std::vector<bool>(
                     {lit(p, 0, 0), lit(p, 1, 0), lit(p, 2, 0), lit(p, 3, 0), lit(p, 4, 0)}),
                 std::vector<bool>({false, true, false, true, true}));
        QVERIFY(!lit(colours.import(129), 3, 0));
        const Picture inverted = colours.import(kDefaultImportThreshold, true);
        QVERIFY(lit(inverted, 0, 0) && !lit(inverted, 1, 0) && lit(inverted, 63, 7));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, importPicture(64, 8, {}, 128, false));
    }

    // Narrow and flat images keep their shape, centred, with an odd spare LED on the right
    // or at the bottom.
    void otherShapesAreCentred() {
        Rgba square(3, 3);
        square.bytes.assign(square.bytes.size(), 255);
        const Picture centred = square.import();
        for (int c = 0; c < 64; ++c) {
            QCOMPARE(centred[static_cast<std::size_t>(c)], c >= 28 && c < 36 ? 0xFF : 0);
        }
        // Inverted, the image turns dark and the margins the fitting added stay dark too.
        const Picture inverted = square.import(kDefaultImportThreshold, true);
        QVERIFY(
            std::all_of(inverted.begin(), inverted.end(), [](std::uint8_t c) { return c == 0; }));
        Rgba black(3, 3);
        for (int i = 0; i < 9; ++i) {
            black.set(i % 3, i / 3, 0, 0, 0, 255);
        }
        const Picture light = black.import(kDefaultImportThreshold, true);
        for (int c = 0; c < 64; ++c) {
            QCOMPARE(light[static_cast<std::size_t>(c)], c >= 28 && c < 36 ? 0xFF : 0);
        }
        Rgba strip(640, 30); // 64 x 3 once scaled: rows 2 to 4
        strip.bytes.assign(strip.bytes.size(), 255);
        QCOMPARE(strip.import()[0], std::uint8_t{0x1C});
    }

    void shiftsLoseWhatLeavesAndMirrorsSwap() {
        Picture p{};
        p[0] = 0x81;
        p[63] = 0x01;
        const Picture left = shifted(p, ShiftDirection::Left);
        QVERIFY(left[0] == 0 && left[62] == 0x01 && left[63] == 0);
        const Picture right = shifted(p, ShiftDirection::Right);
        QVERIFY(right[1] == 0x81 && right[0] == 0 && right[63] == 0);
        QCOMPARE(shifted(p, ShiftDirection::Up)[0], std::uint8_t{0x40});
        QCOMPARE(shifted(p, ShiftDirection::Down)[0], std::uint8_t{0x02});
        const Picture h = mirrored(p, MirrorAxis::Horizontal);
        QVERIFY(h[63] == 0x81 && h[0] == 0x01);
        QCOMPARE(mirrored(p, MirrorAxis::Vertical)[63], std::uint8_t{0x80});
    }

    void hexTextRoundTripsAndRejectsAnythingElse() {
        const Picture p = pattern(1).import();
        const std::string hex = pictureHex(p);
        QCOMPARE(parsePictureHex(" " + hex + "\r\n"), std::optional<Picture>(p));
        QVERIFY(!parsePictureHex(hex.substr(2)));
        QVERIFY(!parsePictureHex(hex + "0"));
        QVERIFY(!parsePictureHex("G" + hex.substr(1)));
        QVERIFY(!parsePictureHex(hex.substr(0, 64) + " " + hex.substr(65)));
    }
};

QTEST_APPLESS_MAIN(PictureOperationsTest)
#include "test_picture_operations.moc"
