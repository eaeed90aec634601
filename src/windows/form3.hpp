// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"
#include "ui/data_folder.hpp"
#include "ui/skin.hpp"
#include "windows/main_window_layout.hpp"
#include "windows/state_changes.hpp"

#include <QMainWindow>
#include <memory>
#include <string>

namespace lumivel {

class AccentActions;
class DateTimePanel;
class DrawingController;
class EditHistory;
class ImageMeter;
class PictureController;
class PlaybackController;
class RecentFilesMenu;
class RememberingDialogs;
class SecondaryWindows;
class StoreController;
class TextLimits;
class ToolbarController;

// The main window. It owns the program's state and wires its controls (each found by
// its design name as object name) to the parts that handle them: the message list, the
// drawing tools, the toolbar and option panels, the effects and the secondary windows.
// Each handler turns a Qt event into one call on the state and announces what changed;
// the views follow those announcements.
class Form3 : public QMainWindow {
    Q_OBJECT
  public:
    // Uses the given dialogs (tests pass scripted ones) or owns the real ones. The skins
    // are looked for in `programFolder`.
    explicit Form3(Dialogs* dialogs = nullptr, std::string programFolder = programDataFolder(),
                   QWidget* parent = nullptr);
    ~Form3() override;

    Lumivel& state() { return lumivel_; }
    // Whoever changes the state from outside the handlers says so here.
    StateChanges& changes() { return changes_; }
    // Opens a message file as "Abrir" does once it is chosen.
    void openMessageFile(const QString& path);
    // The session goes on where the last one ended: the message file opened or saved last
    // is opened again, unless a file is open already (recovered messages) or it is gone.
    void reopenLastFile();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void Form_Load();
    // Every connection between the controls and their handlers.
    void wireControls();
    void wireHistory();
    // The meters and actions that tell what will not reach the sign before it is sent.
    void wireChecks();
    // Every view to the changes it shows, then each brought in line with the state.
    void wireViews();
    // Text1 and the sign's description.
    void showText();
    // The window's caption, after the open file's name once there is one.
    void showTitle();
    void nameIconBoxes();
    // Colours the toolbar, its icon boxes and Picture1 with the skin's colour.
    void colorbotones();
    void MNUCamb_Click(int index);
    void startupSkin_Click();
    // After any skin change: recolour, redraw, and remember `archivo` for the next run.
    void skinChanged(const char* archivo);
    // The skin and LED colour of the last run, where stored and sound; the start-up ones
    // otherwise.
    void applyRememberedLooks();
    void markSkinInUse();
    void opsalir_Click();
    void Form_Resize();

    Lumivel lumivel_;
    // Declared before every part that announces through it or follows it.
    StateChanges changes_;
    std::unique_ptr<Dialogs> ownDialogs_;
    // Every dialog goes through it, so file dialogs start where the last one ended.
    std::unique_ptr<RememberingDialogs> rememberingDialogs_;
    Dialogs* dialogs_ = nullptr;
    Skin skin1_;
    std::string programFolder_;
    MainWindowControls controls_;
    DateTimePanel* clock_ = nullptr;
    ToolbarController* toolbar_ = nullptr;
    PlaybackController* playback_ = nullptr;
    RecentFilesMenu* recent_ = nullptr;
    std::unique_ptr<StoreController> store_;
    std::unique_ptr<DrawingController> drawing_;
    EditHistory* history_ = nullptr;
    PictureController* pictures_ = nullptr;
    TextLimits* limits_ = nullptr;
    ImageMeter* imageMeter_ = nullptr;
    AccentActions* accents_ = nullptr;
    // Declared after the state, so the windows holding references into it go first.
    std::unique_ptr<SecondaryWindows> windows_;
    // Set once the message file has been dealt with, so closing asks nothing more.
    bool exitConfirmed_ = false;
};

} // namespace lumivel
