#include "app/cmd_delete.hpp"

#include "app/store_session.hpp"
#include "session/message_list.hpp"

namespace lumivel::cli {

int deleteCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {});
    if (args.positional.size() != 2) {
        throw UsageError{"delete necesita un ARCHIVO y el numero N"};
    }
    const std::string numero = messageNumber(args.positional[1]);
    return runStoreCommand(streams, [&] {
        StoreSession session(args.positional[0], StoreSession::Open::Existing);
        session.seleccionar(numero);
        ELIMINAR_Click(session.estado(), session.dialogs());
        session.comprobar();
        return kExitOk;
    });
}

} // namespace lumivel::cli
