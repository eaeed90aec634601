// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"

class QWidget;

namespace lumivel {

// The real dialogs: QMessageBox, QFileDialog (without its own overwrite question, so the
// program asks once) and QColorDialog, modal to `parent`.
class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}

    Answer mensaje(const MessageBoxSpec& box) override;
    std::optional<std::string> openFile(const FileDialogOptions& options) override;
    std::optional<std::string> saveFile(const FileDialogOptions& options) override;
    std::optional<Rgb> chooseColor(Rgb initial) override;

  private:
    std::optional<std::string> archivo(const FileDialogOptions& options, bool guardar);

    QWidget* parent_;
};

} // namespace lumivel
