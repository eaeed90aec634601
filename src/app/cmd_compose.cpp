// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cmd_compose.hpp"

#include "app/arguments.hpp"
#include "app/font_option.hpp"
#include "app/offscreen_sign.hpp"
#include "app/text_argument.hpp"

#include <ostream>

namespace lumivel::cli {

Result<int> composeCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args =
        parseArguments(argv, {{"font", true}, {"align", true}, {"format", true}});
    if (args.positional.size() != 1) {
        throw UsageError{"compose necesita un TEXTO"};
    }
    const bool hex = hexFormat(args);
    const int font = fontIndex(args);
    const TextArgument text = textArgument(args.positional.front());
    OffscreenSign sign(font);
    sign.showPicture(composePicture(font, text.bytes, alignment(args)));
    warnReplaced(streams.err, "compose", text, "se muestran");
    warnMissingGlyphs(streams.err, "compose", font, text.bytes, true);
    warnComposedCut(streams.err, "compose", font, text.bytes);
    sign.print(streams.out, hex);
    return kExitOk;
}

} // namespace lumivel::cli
