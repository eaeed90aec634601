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
    const Result<TextArgument> text =
        picture ? Result<TextArgument>{TextArgument{}} : messageTextArgument(args.positional[2]);
    if (!text.ok()) {
        return text.error();
    }
    StoreSession session;
    if (Result<void> opened = session.abrir(args.positional[0], StoreSession::Open::Existing);
        !opened.ok()) {
        return opened.error();
    }
    if (picture) {
        session.editPicture(columnas);
    } else {
        session.editText(font, effect, args.positional[2]);
    }
    if (Result<void> selected = session.select(numero); !selected.ok()) {
        return selected.error();
    }
    MODIFICAR_Click(session.state(), session.dialogs());
    if (Result<void> modified = session.check(); !modified.ok()) {
        return modified.error();
    }
    warnReplaced(streams.err, "modify", text.value(), "se guardaron");
    if (!picture) {
        warnMissingGlyphs(streams.err, "modify", font, text.value().bytes);
    }
    return kExitOk;
}

} // namespace lumivel::cli
