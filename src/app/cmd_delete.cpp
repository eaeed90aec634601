// SPDX-License-Identifier: GPL-3.0-or-later
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
    LUMIVEL_TRY_VOID(session.abrir(args.positional[0], StoreSession::Open::Existing));
    LUMIVEL_TRY_VOID(session.select(numero));
    ELIMINAR_Click(session.state(), session.dialogs());
    LUMIVEL_TRY_VOID(session.check());
    return kExitOk;
}

} // namespace lumivel::cli
