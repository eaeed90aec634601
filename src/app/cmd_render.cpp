#include "app/cmd_render.hpp"
#include "app/arguments.hpp"
#include "app/font_option.hpp"
#include "app/offscreen_sign.hpp"
#include "app/text_argument.hpp"

#include <ostream>

namespace lumivel::cli {

Result<int> renderCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {{"font", true}, {"format", true}});
    if (args.positional.size() != 1) {
        throw UsageError{"render necesita un TEXTO"};
    }
    const bool hex = hexFormat(args);
    const int font = fontIndex(args);
    OffscreenSign sign(font);
    sign.compose(args.positional.front());
    const TextArgument text = textArgument(args.positional.front());
    warnReplaced(streams.err, "render", text, "se muestran");
    warnMissingGlyphs(streams.err, "render", font, text.bytes);
    if (hex) {
        streams.out << sign.shown().hexLine() << '\n';
    } else {
        streams.out << sign.shown().asciiArt();
    }
    return kExitOk;
}

} // namespace lumivel::cli
