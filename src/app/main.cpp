#include "app/command.hpp"
#include "ui/window_font.hpp"
#include "windows/form3.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <iostream>

int main(int argc, char** argv) {
    if (argc > 1) {
        // Command-line run: no display needed.
        QCoreApplication app(argc, argv);
        const std::vector<std::string> args(argv + 1, argv + argc);
        return lumivel::cli::runCommandLine(args, {std::cout, std::cerr});
    }
    QApplication app(argc, argv);
    QApplication::setFont(lumivel::windowFont());
    lumivel::Form3 ventana;
    ventana.show();
    return QApplication::exec();
}
