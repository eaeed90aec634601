// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cmd_render.hpp"
#include "app/arguments.hpp"
#include "app/font_option.hpp"
#include "app/image_option.hpp"
#include "app/offscreen_sign.hpp"
#include "app/text_argument.hpp"

#include <ostream>

namespace lumivel::cli {

Result<int> renderCommand(const std::vector<std::string>& argv, Streams streams) {
    std::vector<OptionRule> rules = imageOptionRules();
    rules.insert(rules.end(), {{"font", true}, {"format", true}});
    const Arguments args = parseArguments(argv, rules);
    const bool hex = hexFormat(args);
    if (usesImage(args)) {
        if (!args.positional.empty() || args.value("font")) {
            throw UsageError{"render --image IMG no lleva TEXTO ni --font"};
        }
        LUMIVEL_TRY(const Picture picture, imagePicture(args));
        OffscreenSign sign(0);
        sign.showPicture(picture);
        sign.print(streams.out, hex);
        return kExitOk;
    }
    if (args.positional.size() != 1) {
        throw UsageError{"render necesita un TEXTO"};
    }
    const int font = fontIndex(args);
    OffscreenSign sign(font);
    sign.compose(args.positional.front());
    const TextArgument text = textArgument(args.positional.front());
    warnReplaced(streams.err, "render", text, "se muestran");
    warnMissingGlyphs(streams.err, "render", font, text.bytes);
    sign.print(streams.out, hex);
    return kExitOk;
}

} // namespace lumivel::cli
