// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/arguments.hpp"
#include "app/cmd_add.hpp"
#include "app/cmd_check.hpp"
#include "app/cmd_compose.hpp"
#include "app/cmd_delete.hpp"
#include "app/cmd_export.hpp"
#include "app/cmd_image.hpp"
#include "app/cmd_import.hpp"
#include "app/cmd_list.hpp"
#include "app/cmd_modify.hpp"
#include "app/cmd_play.hpp"
#include "app/cmd_render.hpp"
#include "app/cmd_reorder.hpp"
#include "app/cmd_send.hpp"
#include "app/cmd_sign.hpp"
#include "app/command.hpp"
#include "base/version.hpp"

#include <ostream>

namespace lumivel::cli {
namespace {

void printUsage(std::ostream& out) {
    out << "Uso: simlumivel [SUBCOMANDO [OPCIONES] [ARGUMENTOS]]\n"
           "Sin argumentos abre la ventana del simulador.\n\n"
           "Subcomandos:\n";
    for (const Command& command : commands()) {
        out << "  simlumivel " << command.usage << '\n';
    }
    out << "\n  simlumivel --help       esta ayuda\n"
           "  simlumivel --version    la versión\n"
           "Las opciones pueden ir antes o después de los argumentos, hasta \"--\".\n";
}

// "--help" or "-h" among a subcommand's options (before "--").
bool asksForHelp(const std::vector<std::string>& args) {
    for (std::size_t i = 1; i < args.size() && args[i] != "--"; ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            return true;
        }
    }
    return false;
}

} // namespace

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {"render",
         "render [--font 5x5|5x7|5x9|negrita] [--format ascii|hex] [--] TEXTO | render --image "
         "IMG [--threshold N] [--invert] [--format ascii|hex]",
         renderCommand},
        {"compose",
         "compose [--font 5x5|5x7|5x9|negrita] [--align left|center|right] [--format ascii|hex] "
         "[--] TEXTO",
         composeCommand},
        {"list", "list [--all] [--json] ARCHIVO", listCommand},
        {"add",
         "add [--font 5x5|5x7|5x9|negrita] [--effect caminando|porfila|porcolumna] ARCHIVO [--] "
         "TEXTO | add --picture HEX ARCHIVO | add --compose [--font F] [--align A] ARCHIVO [--] "
         "TEXTO | add --image IMG [--threshold N] [--invert] ARCHIVO",
         addCommand},
        {"modify",
         "modify [--font F] [--effect E] ARCHIVO N [--] TEXTO | modify --picture HEX ARCHIVO N",
         modifyCommand},
        {"delete", "delete ARCHIVO N", deleteCommand},
        {"check", "check [--json] ARCHIVO", checkCommand},
        {"image", "image [--wire] ARCHIVO", imageCommand},
        {"send",
         "send --port DISPOSITIVO [--port DISPOSITIVO ...] [--espera MS] ARCHIVO | send "
         "--dry-run --port DISPOSITIVO [--espera MS] [ARCHIVO]",
         sendCommand},
        {"sign", "sign [--pace BAUDIOS] [--fault silent|no-hello|corrupt:N|stop:N|latency:MS]",
         signCommand},
        {"play",
         "play --effect caminando|porfila|porcolumna [--font 5x5|5x7|5x9|negrita] [--frames] "
         "[--] TEXTO | play --file ARCHIVO [--frames]",
         playCommand},
        {"export",
         "export --png|--gif SALIDA [--color RRGGBB] ARCHIVO N | export --png|--gif SALIDA "
         "[--color RRGGBB] [--font F] [--effect E] --text TEXTO",
         exportCommand},
        {"move", "move ARCHIVO N M", moveCommand},
        {"duplicate", "duplicate ARCHIVO N", duplicateCommand},
        {"import", "import ARCHIVO JSON|-", importCommand},
    };
    return all;
}

int runCommandLine(const std::vector<std::string>& args, Streams streams) {
    if (args.empty() || args.front() == "--help" || args.front() == "-h") {
        printUsage(streams.out);
        return kExitOk;
    }
    if (args.front() == "--version") {
        streams.out << "simlumivel " << kVersion << '\n';
        return kExitOk;
    }
    for (const Command& command : commands()) {
        if (args.front() == command.name) {
            if (asksForHelp(args)) {
                streams.out << "Uso: simlumivel " << command.usage << '\n';
                return kExitOk;
            }
            try {
                const Result<int> ran = command.run({args.begin() + 1, args.end()}, streams);
                if (ran.ok()) {
                    return ran.value();
                }
                streams.err << "simlumivel " << command.name << ": " << ran.error().describe()
                            << '\n';
                return kExitError;
            } catch (const UsageError& error) {
                streams.err << "simlumivel " << command.name << ": " << error.message << '\n'
                            << "Uso: simlumivel " << command.usage << '\n';
                return kExitError;
            }
        }
    }
    streams.err << "simlumivel: subcomando u opción desconocida: " << args.front() << '\n';
    printUsage(streams.err);
    return kExitError;
}

std::string boxText(const MessageBoxSpec& box) {
    std::string texto = box.title.empty() ? box.texto : box.title + ": " + box.texto;
    // A terminal line break is LF alone.
    std::erase(texto, '\r');
    return texto;
}

} // namespace lumivel::cli
