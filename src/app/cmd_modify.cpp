// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cmd_modify.hpp"

#include "app/font_option.hpp"
#include "app/store_session.hpp"
#include "app/text_argument.hpp"
#include "session/message_list.hpp"
#include "store/message_record.hpp"

#include <ostream>

namespace lumivel::cli {

Result<int> modifyCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args =
        parseArguments(argv, {{"font", true}, {"effect", true}, {"picture", true}});
    const auto picture = args.value("picture");
    if (picture ? args.positional.size() != 2 : args.positional.size() != 3) {
        throw UsageError{picture ? "modify --picture HEX necesita el ARCHIVO y el número N"
                                 : "modify necesita un ARCHIVO, el número N y un TEXTO"};
    }
    const std::string numero = messageNumber(args.positional[1]);
    const int font = fontIndex(args);
    const int effect = effectIndex(args);
    const auto columnas = picture ? pictureColumns(*picture) : std::array<std::uint8_t, 64>{};
    // A record holds 130 characters; a longer text would be cut without a word.
    LUMIVEL_TRY(const TextArgument text, picture ? Result<TextArgument>{TextArgument{}}
                                                 : messageTextArgument(args.positional[2]));
    StoreSession session;
    LUMIVEL_TRY_VOID(session.abrir(args.positional[0], StoreSession::Open::Existing));
    if (picture) {
        session.editPicture(columnas);
    } else {
        session.editText(font, effect, args.positional[2]);
    }
    LUMIVEL_TRY_VOID(session.select(numero));
    MODIFICAR_Click(session.state(), session.dialogs());
    LUMIVEL_TRY_VOID(session.check());
    warnReplaced(streams.err, "modify", text, "se guardaron");
    if (!picture) {
        warnMissingGlyphs(streams.err, "modify", font, text.bytes);
    }
    return kExitOk;
}

} // namespace lumivel::cli
