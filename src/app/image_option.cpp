// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/image_option.hpp"

#include "ui/picture_image.hpp"

namespace lumivel::cli {
namespace {

int threshold(const Arguments& args) {
    const std::optional<std::string> text = args.value("threshold");
    if (!text) {
        return kDefaultImportThreshold;
    }
    std::size_t used = 0;
    int value = -1;
    try {
        value = std::stoi(*text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text->size() || value < 0 || value > 255) {
        throw UsageError{"umbral no válido: " + *text + " (de 0 a 255)"};
    }
    return value;
}

} // namespace

const std::vector<OptionRule>& imageOptionRules() {
    static const std::vector<OptionRule> rules = {
        {"image", true}, {"threshold", true}, {"invert", false}};
    return rules;
}

bool usesImage(const Arguments& args) {
    return args.value("image") || args.value("threshold") || args.has("invert");
}

Result<Picture> imagePicture(const Arguments& args) {
    const std::optional<std::string> path = args.value("image");
    if (!path) {
        throw UsageError{"--threshold y --invert solo valen con --image"};
    }
    const int level = threshold(args);
    LUMIVEL_TRY(const QImage image, readImageFile(QString::fromLocal8Bit(*path)));
    return pictureFromImage(image, level, args.has("invert"));
}

} // namespace lumivel::cli
