// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command.hpp"
#include "ui/spanish_translations.hpp"
#include "ui/window_font.hpp"
#include "windows/form3.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <algorithm>
#include <csignal>
#include <iostream>
#include <string>

#include <unistd.h>

namespace {

// `simlumivel FILE`: one argument that is neither an option nor a subcommand names a
// message file for the window to open, as the desktop passes it.
bool namesAFileToOpen(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '-') {
        return false;
    }
    const std::string argument = argv[1];
    const auto& commands = lumivel::cli::commands();
    return std::none_of(commands.begin(), commands.end(),
                        [&](const lumivel::cli::Command& c) { return argument == c.name; });
}

} // namespace

int main(int argc, char** argv) {
    // Past a file size limit a write fails with EFBIG, reported and undone like a full
    // disk, instead of the signal killing the program halfway through a record.
    std::signal(SIGXFSZ, SIG_IGN);
    const bool fileToOpen = namesAFileToOpen(argc, argv);
    if (argc > 1 && !fileToOpen) {
        // Command-line run: no display needed.
        QCoreApplication app(argc, argv);
        const std::vector<std::string> args(argv + 1, argv + argc);
        return lumivel::cli::runCommandLine(args,
                                            {std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1});
    }
    // Qt aborts when it finds no display; say what can be done instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::cerr << "No hay pantalla (DISPLAY vacío): la ventana no puede abrirse.\n"
                     "Sin pantalla use los subcomandos (simlumivel --help):\n ";
        for (const lumivel::cli::Command& command : lumivel::cli::commands()) {
            std::cerr << ' ' << command.name
                      << (&command == &lumivel::cli::commands().back() ? "\n" : ",");
        }
        return lumivel::cli::kExitError;
    }
    QApplication app(argc, argv);
    lumivel::installSpanishTranslations(app);
    QApplication::setFont(lumivel::windowFont());
    lumivel::Form3 window;
    window.show();
    if (fileToOpen) {
        window.openMessageFile(QString::fromLocal8Bit(argv[1]));
    } else {
        window.reopenLastFile();
    }
    return QApplication::exec();
}
