#include "app/cmd_render.hpp"
#include "app/arguments.hpp"
#include "app/font_option.hpp"
#include "app/offscreen_sign.hpp"

#include <ostream>

namespace lumivel::cli {

Result<int> renderCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {{"font", true}, {"format", true}});
    if (args.positional.size() != 1) {
        throw UsageError{"render necesita un TEXTO"};
    }
    const std::string format = args.value("format").value_or("ascii");
    if (format != "ascii" && format != "hex") {
        throw UsageError{"formato desconocido: " + format + " (ascii o hex)"};
    }
    OffscreenSign sign(fontIndex(args));
    sign.compose(args.positional.front());
    if (format == "hex") {
        streams.out << sign.shown().hexLine() << '\n';
    } else {
        streams.out << sign.shown().asciiArt();
    }
    return kExitOk;
}

} // namespace lumivel::cli
