#pragma once
#include "display/dialogs.hpp"

namespace lumivel {

// Passes every dialog on to `inner`. A file dialog given no start folder starts in the
// folder of the file chosen last, with its name proposed; each file chosen is remembered
// for the next dialog and the next run.
class RememberingDialogs : public Dialogs {
  public:
    explicit RememberingDialogs(Dialogs& inner) : inner_(inner) {}

    Answer mensaje(const MessageBoxSpec& caja) override { return inner_.mensaje(caja); }
    std::optional<std::string> openFile(const FileDialogOptions& opciones) override;
    std::optional<std::string> saveFile(const FileDialogOptions& opciones) override;
    std::optional<Rgb> chooseColor(Rgb inicial) override { return inner_.chooseColor(inicial); }

  private:
    FileDialogOptions withLastFile(FileDialogOptions opciones) const;
    static void remember(const std::optional<std::string>& elegido);

    Dialogs& inner_;
};

} // namespace lumivel
