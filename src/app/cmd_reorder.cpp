// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cmd_reorder.hpp"

#include "app/cmd_list.hpp"
#include "app/store_session.hpp"
#include "store/message_order.hpp"

#include <functional>

namespace lumivel::cli {
namespace {

Result<int> change(const std::string& path,
                   const std::function<Result<void>(MessageFile&)>& operation, std::ostream& out,
                   std::ostream& err) {
    StoreSession session;
    LUMIVEL_TRY_VOID(session.abrir(path, StoreSession::Open::Existing));
    LUMIVEL_TRY_VOID(operation(session.state().archivo));
    return listCommand({path}, {out, err});
}

} // namespace

Result<int> moveCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {});
    if (args.positional.size() != 3) {
        throw UsageError{"move necesita un ARCHIVO, el número N y el lugar M"};
    }
    const int numero = std::stoi(messageNumber(args.positional[1]));
    const int place = std::stoi(messageNumber(args.positional[2]));
    return change(
        args.positional[0], [&](MessageFile& file) { return moveMessage(file, numero, place); },
        streams.out, streams.err);
}

Result<int> duplicateCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {});
    if (args.positional.size() != 2) {
        throw UsageError{"duplicate necesita un ARCHIVO y el número N"};
    }
    const int numero = std::stoi(messageNumber(args.positional[1]));
    return change(
        args.positional[0],
        [&](MessageFile& file) -> Result<void> {
            LUMIVEL_TRY(const int copied, duplicateMessage(file, numero));
            (void)copied; // the listing that follows shows the copy
            return {};
        },
        streams.out, streams.err);
}

} // namespace lumivel::cli
