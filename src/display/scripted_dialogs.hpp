#pragma once
#include "display/dialogs.hpp"

#include <deque>

namespace lumivel {

// Dialogs answered from a script, for tests and the command line: every box shown is
// recorded; each answer is taken from the front of its queue (defaults when empty:
// the box's default button, a cancelled file or colour dialog).
class ScriptedDialogs : public Dialogs {
  public:
    std::deque<Answer> respuestas;
    std::deque<std::optional<std::string>> archivos;
    std::deque<std::optional<Rgb>> colores;

    std::vector<MessageBoxSpec> mostradas;
    std::vector<FileDialogOptions> dialogosArchivo;

    Answer mensaje(const MessageBoxSpec& caja) override;
    std::optional<std::string> openFile(const FileDialogOptions& opciones) override;
    std::optional<std::string> saveFile(const FileDialogOptions& opciones) override;
    std::optional<Rgb> chooseColor(Rgb inicial) override;

  private:
    std::optional<std::string> nextFile(const FileDialogOptions& opciones);
};

} // namespace lumivel
