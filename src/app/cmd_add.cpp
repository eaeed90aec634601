#include "app/cmd_add.hpp"

#include "app/font_option.hpp"
#include "app/store_session.hpp"
#include "app/text_argument.hpp"
#include "session/message_list.hpp"
#include "store/message_record.hpp"

#include <ostream>

namespace lumivel::cli {

Result<int> addCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args =
        parseArguments(argv, {{"font", true}, {"effect", true}, {"picture", true}});
    const auto picture = args.value("picture");
    if (picture ? args.positional.size() != 1 : args.positional.size() != 2) {
        throw UsageError{picture ? "add --picture HEX necesita solo el ARCHIVO"
                                 : "add necesita un ARCHIVO y un TEXTO"};
    }
    // Everything is checked before the file is touched.
    const int font = fontIndex(args);
    const int effect = effectIndex(args);
    const auto columnas = picture ? pictureColumns(*picture) : std::array<std::uint8_t, 64>{};
    // A record holds 130 characters; a longer text would be cut without a word.
    const Result<TextArgument> text =
        picture ? Result<TextArgument>{TextArgument{}} : messageTextArgument(args.positional[1]);
    if (!text.ok()) {
        return text.error();
    }
    StoreSession session;
    if (Result<void> opened = session.abrir(args.positional[0], StoreSession::Open::CreateMissing);
        !opened.ok()) {
        return opened.error();
    }
    if (picture) {
        session.editPicture(columnas);
    } else {
        session.editText(font, effect, args.positional[1]);
    }
    ADICIONAR_Click(session.state(), session.dialogs());
    if (Result<void> added = session.comprobar(); !added.ok()) {
        session.discardIfCreated();
        return added.error();
    }
    warnReplaced(streams.err, "add", text.value(), "se guardaron");
    streams.out << session.state().mensaje.numero << '\n';
    return kExitOk;
}

} // namespace lumivel::cli
