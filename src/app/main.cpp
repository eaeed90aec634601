#include "app/command.hpp"
#include "ui/spanish_translations.hpp"
#include "ui/window_font.hpp"
#include "windows/form3.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <iostream>

#include <unistd.h>

int main(int argc, char** argv) {
    if (argc > 1) {
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
                     "Sin pantalla use los subcomandos (simlumivel --help):\n"
                     "  render, play, list, add, modify, delete, image, send, sign\n";
        return lumivel::cli::kExitError;
    }
    QApplication app(argc, argv);
    lumivel::installSpanishTranslations(app);
    QApplication::setFont(lumivel::windowFont());
    lumivel::Form3 ventana;
    ventana.show();
    return QApplication::exec();
}
