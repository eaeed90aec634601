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
std::string contenido(const tipomensaje& m) {
    return windows1252ToUtf8(m.isPicture() ? m.texto.substr(0, 128) : storedText(m));
}

} // namespace

Result<int> listCommand(const std::vector<std::string>& argv, Streams streams) {
    const Arguments args = parseArguments(argv, {{"all", false}, {"json", false}});
    if (args.positional.size() != 1) {
        throw UsageError{"list necesita un ARCHIVO"};
    }
    const bool todos = args.has("all");
    const bool enJson = args.has("json");
    StoreSession session;
    if (Result<void> opened = session.abrir(args.positional[0], StoreSession::Open::ReadOnly);
        !opened.ok()) {
        return opened.error();
    }
    Lumivel& l = session.state();
    // The partial record is ignored as everywhere, but not silently.
    if (const long resto = l.archivo.trailingBytes(); resto > 0) {
        streams.err << "aviso: " << resto << " bytes al final de " << args.positional[0]
                    << " no forman un registro completo y se ignoraron\n";
    }
    const int total = l.archivo.count();
    std::string salida = enJson ? "[" : "";
    bool primero = true;
    for (int i = 1; i <= total; ++i) {
        if (Result<void> read = l.archivo.read(i, l.mensaje); !read.ok()) {
            return read.error();
        }
        const tipomensaje& m = l.mensaje;
        if (!m.isActive() && !todos) {
            continue;
        }
        if (enJson) {
            salida += primero ? "\n  " : ",\n  ";
            salida += "{\"position\": " + std::to_string(i) +
                      ", \"numero\": " + std::to_string(m.numero) +
                      ", \"presentacion\": " + std::to_string(m.presentacion) +
                      ", \"letra\": " + std::to_string(m.letra) +
                      ", \"estado\": " + jsonString(windows1252ToUtf8(std::string(1, m.estado))) +
                      ", \"kind\": " + jsonString(m.isPicture() ? "picture" : "text") +
                      ", \"texto\": " + jsonString(contenido(m)) + "}";
        } else {
            salida += std::to_string(m.numero) + '\t';
            if (m.isPicture()) {
                salida += "imagen\t" + printable(contenido(m));
            } else {
                salida += effectName(m.presentacion) + '\t' + fontName(m.letra) + '\t' +
                          printable(contenido(m));
            }
            if (!m.isActive()) {
                salida += "\t(eliminado, posicion " + std::to_string(i) + ")";
            }
            salida += '\n';
        }
        primero = false;
    }
    if (enJson) {
        salida += primero ? "]\n" : "\n]\n";
    }
    streams.out << salida;
    return kExitOk;
}

} // namespace lumivel::cli
