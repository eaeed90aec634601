#include "app/cmd_modify.hpp"

#include "app/font_option.hpp"
#include "app/store_session.hpp"
#include "session/message_list.hpp"

namespace lumivel::cli {

int modifyCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args =
        parseArguments(argv, {{"font", true}, {"effect", true}, {"picture", true}});
    const auto picture = args.value("picture");
    if (picture ? args.positional.size() != 2 : args.positional.size() != 3) {
        throw UsageError{picture ? "modify --picture HEX necesita el ARCHIVO y el numero N"
                                 : "modify necesita un ARCHIVO, el numero N y un TEXTO"};
    }
    const std::string numero = messageNumber(args.positional[1]);
    const int font = fontIndex(args);
    const int effect = effectIndex(args);
    const auto columnas = picture ? pictureColumns(*picture) : std::array<std::uint8_t, 64>{};
    return runStoreCommand(streams, [&] {
        StoreSession session(args.positional[0], StoreSession::Open::Existing);
        if (picture) {
            session.editarImagen(columnas);
        } else {
            session.editarTexto(font, effect, args.positional[2]);
        }
        session.seleccionar(numero);
        MODIFICAR_Click(session.estado(), session.dialogs());
        session.comprobar();
        return kExitOk;
    });
}

} // namespace lumivel::cli
