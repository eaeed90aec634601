// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cmd_import.hpp"

#include "app/cmd_list.hpp"
#include "app/store_session.hpp"
#include "store/message_json.hpp"
#include "store/message_order.hpp"

#include <fstream>
#include <iostream>
#include <iterator>

namespace lumivel::cli {
namespace {

Result<std::string> readJson(const std::string& source) {
    if (source == "-") {
        return std::string(std::istreambuf_iterator<char>(std::cin), {});
    }
    std::ifstream in(source, std::ios::binary);
    if (!in.is_open()) {
        return Error{"no se pudo abrir", source};
    }
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (!in.good() && !in.eof()) {
        return Error{"no se pudo leer", source};
    }
    return text;
}

} // namespace

Result<int> importCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {});
    if (args.positional.size() != 2) {
        throw UsageError{"import necesita un ARCHIVO y un JSON (- para la entrada estándar)"};
    }
    const std::string& path = args.positional[0];
    const std::string& source = args.positional[1];
    LUMIVEL_TRY(const std::string json, readJson(source));
    // Everything is checked before the file is opened, so a bad entry changes nothing.
    Result<std::vector<tipomensaje>> messages = readMessageList(json);
    if (!messages.ok()) {
        return Error{messages.error().reason, source == "-" ? "entrada estándar" : source};
    }
    StoreSession session;
    LUMIVEL_TRY_VOID(session.abrir(path, StoreSession::Open::CreateMissing));
    if (Result<void> added = appendMessages(session.state().archivo, std::move(messages.value()));
        !added.ok()) {
        session.discardIfCreated();
        return added.error();
    }
    return listCommand({path}, {streams.out, streams.err});
}

} // namespace lumivel::cli
