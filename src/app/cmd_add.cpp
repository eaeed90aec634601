// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cmd_add.hpp"

#include "app/font_option.hpp"
#include "app/image_option.hpp"
#include "app/store_session.hpp"
#include "app/text_argument.hpp"
#include "display/picture_composer.hpp"
#include "session/message_list.hpp"
#include "store/message_record.hpp"

#include <optional>
#include <ostream>

namespace lumivel::cli {

Result<int> addCommand(const std::vector<std::string>& argv, Streams streams) {
    std::vector<OptionRule> rules = imageOptionRules();
    rules.insert(
        rules.end(),
        {{"font", true}, {"effect", true}, {"picture", true}, {"compose", false}, {"align", true}});
    const Arguments args = parseArguments(argv, rules);
    const bool image = usesImage(args);
    const bool picture = args.value("picture").has_value() || image;
    const bool compose = args.has("compose");
    const int kinds = (args.value("picture") ? 1 : 0) + (image ? 1 : 0) + (compose ? 1 : 0);
    if (kinds > 1) {
        throw UsageError{"--picture, --image y --compose no van juntos"};
    }
    if (args.value("align") && !compose) {
        throw UsageError{"--align solo vale con --compose"};
    }
    if (picture ? args.positional.size() != 1 : args.positional.size() != 2) {
        throw UsageError{image     ? "add --image IMG necesita solo el ARCHIVO"
                         : picture ? "add --picture HEX necesita solo el ARCHIVO"
                                   : "add necesita un ARCHIVO y un TEXTO"};
    }
    // Everything is checked before the file is touched.
    const int font = fontIndex(args);
    const int effect = effectIndex(args);
    std::optional<std::array<std::uint8_t, 64>> columnas;
    TextArgument text;
    if (image) {
        LUMIVEL_TRY(columnas, imagePicture(args));
    } else if (picture) {
        columnas = pictureColumns(*args.value("picture"));
    } else if (compose) {
        text = textArgument(args.positional[1]);
        columnas = composePicture(font, text.bytes, alignment(args));
    } else {
        // A record holds 130 characters; a longer text would be cut without a word.
        LUMIVEL_TRY(text, messageTextArgument(args.positional[1]));
    }
    StoreSession session;
    LUMIVEL_TRY_VOID(session.abrir(args.positional[0], StoreSession::Open::CreateMissing));
    if (columnas) {
        session.editPicture(*columnas);
    } else {
        session.editText(font, effect, args.positional[1]);
    }
    ADICIONAR_Click(session.state(), session.dialogs());
    if (Result<void> added = session.check(); !added.ok()) {
        session.discardIfCreated();
        return added.error();
    }
    warnReplaced(streams.err, "add", text, compose ? "se dibujaron" : "se guardaron");
    if (!picture) {
        warnMissingGlyphs(streams.err, "add", font, text.bytes, compose);
        if (compose) {
            warnComposedCut(streams.err, "add", font, text.bytes);
        }
    }
    streams.out << session.state().mensaje.numero << '\n';
    return kExitOk;
}

} // namespace lumivel::cli
