// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cmd_list.hpp"

#include "app/store_session.hpp"
#include "app/text_argument.hpp"
#include "base/json.hpp"
#include "base/windows1252.hpp"
#include "store/message_names.hpp"

#include <ostream>

namespace lumivel::cli {
namespace {

// What the listing shows as the message: the text without trailing spaces, or the
// 128 digits of a picture, in UTF-8.
std::string content(const tipomensaje& m) {
    return windows1252ToUtf8(m.isPicture() ? m.texto.substr(0, 128) : storedText(m));
}

} // namespace

Result<int> listCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {{"all", false}, {"json", false}});
    if (args.positional.size() != 1) {
        throw UsageError{"list necesita un ARCHIVO"};
    }
    const bool all = args.has("all");
    const bool asJson = args.has("json");
    StoreSession session;
    LUMIVEL_TRY_VOID(session.abrir(args.positional[0], StoreSession::Open::ReadOnly));
    Lumivel& l = session.state();
    // The partial record is ignored as everywhere, but not silently.
    if (const long rest = l.archivo.trailingBytes(); rest > 0) {
        streams.err << "aviso: " << rest << " bytes al final de " << args.positional[0]
                    << " no forman un registro completo y se ignoraron\n";
    }
    // Read in large blocks, each record decoded only when it is listed.
    std::string output = asJson ? "[" : "";
    bool first = true;
    const auto addLine = [&](std::size_t i, const std::uint8_t* record) {
        if (!recordIsActive(record) && !all) {
            return;
        }
        l.mensaje = decodeRecordAt(record);
        const tipomensaje& m = l.mensaje;
        if (asJson) {
            output += first ? "\n  " : ",\n  ";
            output += "{\"position\": " + std::to_string(i) +
                      ", \"numero\": " + std::to_string(m.numero) +
                      ", \"presentacion\": " + std::to_string(m.presentacion) +
                      ", \"letra\": " + std::to_string(m.letra) +
                      ", \"estado\": " + jsonString(windows1252ToUtf8(std::string(1, m.estado))) +
                      ", \"kind\": " + jsonString(m.isPicture() ? "picture" : "text") +
                      ", \"texto\": " + jsonString(content(m)) + "}";
        } else {
            output += std::to_string(m.numero) + '\t';
            if (m.isPicture()) {
                output += "imagen\t" + printable(content(m));
            } else {
                output += effectName(m.presentacion) + '\t' + fontName(m.letra) + '\t' +
                          printable(content(m));
            }
            if (!m.isActive()) {
                output += "\t(eliminado, posición " + std::to_string(i) + ")";
            }
            output += '\n';
        }
        first = false;
    };
    LUMIVEL_TRY_VOID(l.archivo.forEachRecord(addLine));
    if (asJson) {
        output += first ? "]\n" : "\n]\n";
    }
    streams.out << output;
    return kExitOk;
}

} // namespace lumivel::cli
