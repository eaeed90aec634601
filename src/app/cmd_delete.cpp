#include "app/cmd_delete.hpp"

#include "app/store_session.hpp"
#include "session/message_list.hpp"

namespace lumivel::cli {

Result<int> deleteCommand(const std::vector<std::string>& argv, Streams /*streams*/) {
    const Arguments args = parseArguments(argv, {});
    if (args.positional.size() != 2) {
        throw UsageError{"delete necesita un ARCHIVO y el número N"};
    }
    const std::string numero = messageNumber(args.positional[1]);
    StoreSession session;
    if (Result<void> opened = session.abrir(args.positional[0], StoreSession::Open::Existing);
        !opened.ok()) {
        return opened.error();
    }
    if (Result<void> selected = session.select(numero); !selected.ok()) {
        return selected.error();
    }
    ELIMINAR_Click(session.state(), session.dialogs());
    if (Result<void> deleted = session.check(); !deleted.ok()) {
        return deleted.error();
    }
    return kExitOk;
}

} // namespace lumivel::cli
