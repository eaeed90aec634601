// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/form3.hpp"

#include "appearance/skin_table.hpp"
#include "base/version.hpp"
#include "base/windows1252.hpp"
#include "display/composition.hpp"
#include "presentation/editing_mode.hpp"
#include "session/scratch_recovery.hpp"
#include "session/startup.hpp"
#include "ui/accessible_names.hpp"
#include "ui/date_time_panel.hpp"
#include "ui/icon_box.hpp"
#include "ui/qt_dialogs.hpp"
#include "ui/remembering_dialogs.hpp"
#include "ui/settings.hpp"
#include "ui/sign_widget.hpp"
#include "ui/web.hpp"
#include "ui/window_font.hpp"
#include "windows/accent_actions.hpp"
#include "windows/drawing_controller.hpp"
#include "windows/edit_history.hpp"
#include "windows/export_dialog.hpp"
#include "windows/image_meter.hpp"
#include "windows/picture_controller.hpp"
#include "windows/playback_controller.hpp"
#include "windows/recent_files_menu.hpp"
#include "windows/secondary_windows.hpp"
#include "windows/store_controller.hpp"
#include "windows/text_limits.hpp"
#include "windows/toolbar_controller.hpp"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QUndoStack>
#include <QUrl>

namespace lumivel {
namespace {

QString caption() {
    return QStringLiteral("SimLumivel %1               \" LEDLUMIVEL\"  -  simulador de "
                          "letreros de LEDs de 64 x 8")
        .arg(QLatin1String(kShortVersion));
}

} // namespace

Form3::Form3(Dialogs* dialogs, std::string programFolder, QWidget* parent)
    : QMainWindow(parent), programFolder_(std::move(programFolder)) {
    if (dialogs == nullptr) {
        ownDialogs_ = std::make_unique<QtDialogs>(this);
        dialogs = ownDialogs_.get();
    }
    rememberingDialogs_ = std::make_unique<RememberingDialogs>(*dialogs);
    dialogs_ = rememberingDialogs_.get();
    setFont(windowFont());
    setWindowTitle(caption());
    controls_ = buildMainWindow(*this);
    lumivel_.sign.setSurface(controls_.Pic);
    clock_ = new DateTimePanel(controls_.panel[2], controls_.panel[3], this);
    toolbar_ = new ToolbarController(controls_, lumivel_, changes_, this);
    playback_ = new PlaybackController(lumivel_, *dialogs_, changes_, this);
    windows_ = std::make_unique<SecondaryWindows>(lumivel_, *dialogs_, skin1_, changes_);
    limits_ = new TextLimits(lumivel_, *controls_.Text1, *controls_.Pic, this);
    Form_Load();
    wireControls();
    wireViews();
    nameIconBoxes();
    nameControlsForAccessibility(*this);
    // A message file dropped from the desktop opens as "Abrir" would open it.
    setAcceptDrops(true);
}

void Form3::openMessageFile(const QString& path) {
    store_->openPath(path);
}

void Form3::reopenLastFile() {
    const QStringList recent = Settings().recentFiles();
    if (lumivel_.archivo.isOpen() || recent.isEmpty() || !QFileInfo(recent.first()).isFile()) {
        return;
    }
    openMessageFile(recent.first());
}

void Form3::showTitle() {
    if (!lumivel_.archivo.isOpen()) {
        setWindowTitle(caption());
        return;
    }
    const QString name =
        lumivel_.scratch.isOpen()
            ? QStringLiteral("Mensajes sin guardar")
            : QFileInfo(QString::fromStdString(lumivel_.archivo.path())).fileName();
    setWindowTitle(name + " - " + caption());
}

void Form3::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void Form3::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile()) {
        event->acceptProposedAction();
        openMessageFile(urls.first().toLocalFile());
    }
}

Form3::~Form3() = default;

void Form3::wireControls() {
    const MainWindowControls& c = controls_;
    const MainMenu& m = c.menu;

    StoreWidgets list;
    list.Lstcodigo = c.Lstcodigo;
    list.ADICIONAR = c.ADICIONAR;
    list.ELIMINAR = c.ELIMINAR;
    list.MODIFICAR = c.MODIFICAR;
    list.abrir = c.abrir;
    list.guardar = c.guardar;
    list.nuevo = c.nuevo;
    list.panel0 = c.panel[0];
    store_ = std::make_unique<StoreController>(list, lumivel_, *dialogs_, changes_);
    recent_ = new RecentFilesMenu(
        *m.recentFiles, *dialogs_, [this](const QString& path) { store_->openPath(path); }, this);
    // Long enough to be read, short enough not to stand for the state later on.
    connect(store_.get(), &StoreController::changed, this,
            [this](const QString& notice) { statusBar()->showMessage(notice, 4000); });

    DrawingWidgets drawing;
    drawing.Pic = c.Pic;
    drawing.lapiz = c.lapiz;
    drawing.goma = c.goma;
    drawing.pintura = c.pintura;
    drawing.Bomba = c.Bomba;
    drawing.invertir = c.invertir;
    drawing.panel1 = c.panel[1];
    drawing_ = std::make_unique<DrawingController>(drawing, lumivel_, changes_);

    connect(c.groups.Option1, &QButtonGroup::idClicked, toolbar_,
            &ToolbarController::Option1_Click);
    connect(c.groups.Opletra, &QButtonGroup::idClicked, toolbar_,
            &ToolbarController::Opletra_Click);
    connect(c.groups.op_mostrar, &QButtonGroup::idClicked, toolbar_,
            &ToolbarController::op_mostrar_Click);
    connect(c.mayuscula, &QPushButton::clicked, toolbar_, &ToolbarController::mayuscula_Click);
    for (std::size_t i = 0; i < c.picmenu.size(); ++i) {
        connect(c.picmenu.at(i), &IconBox::clicked, toolbar_,
                [this, i] { toolbar_->picmenu_Click(static_cast<int>(i)); });
    }
    connect(c.Text1, &QLineEdit::textEdited, this, [this](const QString& text) {
        changeText(lumivel_, utf8ToWindows1252(text.toStdString()));
        // A character the sign's code page lacks shows as "?" in the box at once, as it
        // will be stored and shown, and the cursor stays where the person types.
        const int cursor = controls_.Text1->cursorPosition();
        emit changes_.textChanged();
        controls_.Text1->setCursorPosition(cursor);
    });
    connect(c.refrescar, &QPushButton::clicked, this, [this] { lumivel_.sign.refrescar(); });

    connect(c.Play, &QPushButton::clicked, playback_, &PlaybackController::Play_Click);
    connect(c.Reloj, &QPushButton::clicked, playback_, &PlaybackController::Reloj_Click);
    connect(playback_, &PlaybackController::closeRequested, this, &QWidget::close);

    connect(c.configurar, &QPushButton::clicked, this, [this] { windows_->configurar_Click(); });
    connect(c.serial, &QPushButton::clicked, this, [this] { windows_->serial_Click(); });
    connect(m.openviar, &QAction::triggered, this, [this] { windows_->serial_Click(); });
    connect(m.opacerdade, &QAction::triggered, this, [this] { windows_->opacerdade_Click(); });
    const auto messages = [this] { windows_->opmensajes_Click(*store_); };
    connect(m.opmensajes, &QAction::triggered, this, messages);
    connect(c.Lstcodigo, &QListWidget::itemDoubleClicked, this, messages);
    connect(m.exportImage, &QAction::triggered, this,
            [this] { exportMessage(lumivel_, *dialogs_, ExportKind::Png); });
    connect(m.exportAnimation, &QAction::triggered, this,
            [this] { exportMessage(lumivel_, *dialogs_, ExportKind::Gif); });

    // "Run the handler of X" is X's clicked signal, whatever is connected to it and even
    // while X is disabled.
    const auto clickOf = [](QPushButton* button) { return [button] { emit button->clicked(); }; };
    connect(m.opnuevo, &QAction::triggered, this, clickOf(c.nuevo));
    connect(m.opabrir, &QAction::triggered, this, clickOf(c.abrir));
    connect(m.opguardar, &QAction::triggered, this, clickOf(c.guardar));
    connect(m.opsalir, &QAction::triggered, this, [this] { opsalir_Click(); });
    connect(m.optexto, &QAction::triggered, this, [this] { toolbar_->Option1_Click(kTextMode); });
    connect(m.opgrafico, &QAction::triggered, this,
            [this] { toolbar_->Option1_Click(kDrawingMode); });
    connect(m.opconfiguracion, &QAction::triggered, this, clickOf(c.configurar));
    connect(m.opsimular, &QAction::triggered, this, clickOf(c.Play));
    connect(m.opreloj, &QAction::triggered, this, clickOf(c.Reloj));
    connect(m.playAll, &QAction::triggered, playback_, &PlaybackController::playAll);
    connect(playback_, &PlaybackController::playing, this, [this](const QString& notice) {
        if (notice.isEmpty()) {
            statusBar()->clearMessage();
        } else {
            statusBar()->showMessage(notice);
        }
    });
    for (std::size_t i = 0; i < m.MNUCamb.size(); ++i) {
        connect(m.MNUCamb.at(i), &QAction::triggered, this,
                [this, i] { MNUCamb_Click(static_cast<int>(i)); });
    }
    connect(m.startupSkin, &QAction::triggered, this, [this] { startupSkin_Click(); });
    markSkinInUse();
    connect(m.opayuda, &QAction::triggered, this, [this] { openWebPage(*dialogs_); });
    connect(m.WEB, &QAction::triggered, this, [this] { openWebPage(*dialogs_); });
    wireHistory();
    wireChecks();
}

void Form3::wireHistory() {
    history_ = new EditHistory(lumivel_, *dialogs_, this);
    connect(history_, &EditHistory::fileRestored, store_.get(), &StoreController::reread);
    store_->setHistory(history_);
    drawing_->setHistory(history_);
    // The actions name the step they act on ("Deshacer trazo"). Text1 keeps its own
    // Ctrl+Z: a line edit claims its undo keys before any shortcut sees them.
    QAction* undo = history_->stack().createUndoAction(this, QStringLiteral("Deshacer"));
    undo->setObjectName(QStringLiteral("undo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = history_->stack().createRedoAction(this, QStringLiteral("Rehacer"));
    redo->setObjectName(QStringLiteral("redo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    controls_.menu.edit->addAction(undo);
    controls_.menu.edit->addAction(redo);
    pictures_ = new PictureController(*controls_.menu.edit, controls_.menu.importImage, lumivel_,
                                      *dialogs_, *history_, changes_, this, controls_.Pic);
}

void Form3::wireChecks() {
    imageMeter_ = new ImageMeter(lumivel_, *dialogs_, *statusBar(), this);
    store_->setAddCheck([this] { return imageMeter_->confirmAdd(); });
    accents_ = new AccentActions(lumivel_, *dialogs_, *history_, changes_, *controls_.Pic, this);
    connect(controls_.menu.textToPicture, &QAction::triggered, accents_,
            &AccentActions::textToPicture);
    QAction* strip = controls_.menu.edit->addAction(QStringLiteral("Quitar acentos"));
    strip->setObjectName(QStringLiteral("stripAccents"));
    connect(strip, &QAction::triggered, accents_, &AccentActions::stripAccents);
}

void Form3::Form_Load() {
    colorbotones();
    controls_.panel[0]->setText("Simulador de Lumivel Electronico");
    clock_->refresh();
    startUp(lumivel_, programFolder_);
    applyRememberedLooks();
    // Messages an earlier run could not save (it was killed) are offered before any work.
    offerScratchRecovery(lumivel_, *dialogs_);
    // The start-up skin, or the one chosen last; a missing or unreadable file keeps the look.
    aplicarskin(skin1_, this, lumivel_.archivoskin);
    colorbotones();
}

void Form3::wireViews() {
    const StateChanges* changes = &changes_;
    connect(changes, &StateChanges::modeChanged, this, &Form3::showText);
    connect(changes, &StateChanges::textChanged, this, &Form3::showText);
    connect(changes, &StateChanges::modeChanged, limits_, &TextLimits::mostrar);
    connect(changes, &StateChanges::textChanged, limits_, &TextLimits::mostrar);
    connect(changes, &StateChanges::modeChanged, toolbar_, &ToolbarController::showMode);
    connect(changes, &StateChanges::textChanged, toolbar_, &ToolbarController::showOptions);
    connect(changes, &StateChanges::modeChanged, pictures_, &PictureController::showState);
    connect(changes, &StateChanges::listChanged, store_.get(), &StoreController::mostrar);
    connect(changes, &StateChanges::listChanged, imageMeter_, &ImageMeter::mostrar);
    connect(changes, &StateChanges::fileChanged, this, &Form3::showTitle);
    connect(changes, &StateChanges::fileChanged, recent_, [this] {
        if (lumivel_.archivo.isOpen() && !lumivel_.scratch.isOpen()) {
            recent_->add(QString::fromStdString(lumivel_.archivo.path()));
        }
    });
    connect(changes, &StateChanges::signChanged, this, [this] { lumivel_.sign.refrescar(); });
    // What Form_Load and the parts' construction left; the sign draws itself when shown.
    emit changes_.modeChanged();
    emit changes_.textChanged();
    emit changes_.listChanged();
    emit changes_.fileChanged();
    // Filling Text1 at the start is no change of the person's: the counter stays hidden.
    limits_->countFromNextChange();
}

void Form3::colorbotones() {
    toolbar_->colorbotones(skin1_.color());
}

void Form3::showText() {
    const QString text = QString::fromStdString(windows1252ToUtf8(lumivel_.texto));
    if (controls_.Text1->text() != text) {
        controls_.Text1->setText(text);
    }
    controls_.Pic->describe(lumivel_.option1 == kDrawingMode ? QStringLiteral("Gráfico") : text);
}

void Form3::nameIconBoxes() {
    // An icon box stands for the button under it, whose tooltip says what it does.
    const auto buttons = controls_.buttonsUnderIconBoxes();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        controls_.picmenu.at(i)->setAccessibleName(buttons.at(i)->toolTip());
    }
}

void Form3::MNUCamb_Click(int index) {
    // aplicarskin loads the chosen file itself; loading it here first as well would only
    // read it, and report a refusal, twice.
    if (Result<std::string> chosen = chooseSkin(programFolder_, index); chosen.ok()) {
        lumivel_.archivoskin = std::move(chosen).value();
    }
    aplicarskin(skin1_, this, lumivel_.archivoskin);
    skinChanged(kSkins.at(static_cast<std::size_t>(index)).archivo);
}

void Form3::startupSkin_Click() {
    lumivel_.archivoskin = defaultSkinPath(programFolder_);
    aplicarskin(skin1_, this, lumivel_.archivoskin);
    skinChanged(kDefaultSkin);
}

void Form3::skinChanged(const char* archivo) {
    colorbotones();
    emit changes_.signChanged();
    Settings().setSkin(archivo);
}

void Form3::applyRememberedLooks() {
    const Settings settings;
    if (const std::optional<std::string> archivo = settings.skin()) {
        if (std::optional<std::string> path = knownSkinPath(programFolder_, *archivo)) {
            lumivel_.archivoskin = *path;
        }
    }
    if (const std::optional<Rgb> color = settings.ledColor()) {
        lumivel_.sign.rojo = static_cast<std::int16_t>(color->r);
        lumivel_.sign.verde = static_cast<std::int16_t>(color->g);
        lumivel_.sign.azul = static_cast<std::int16_t>(color->b);
    }
}

void Form3::markSkinInUse() {
    const MainMenu& m = controls_.menu;
    QAction* inUse = m.startupSkin;
    for (std::size_t i = 0; i < m.MNUCamb.size(); ++i) {
        if (skinPath(programFolder_, static_cast<int>(i)) == lumivel_.archivoskin) {
            inUse = m.MNUCamb.at(i);
        }
    }
    inUse->setChecked(true);
}

void Form3::opsalir_Click() {
    if (!store_->confirmExitOrStay()) {
        return;
    }
    exitConfirmed_ = true;
    close();
}

void Form3::Form_Resize() {
    // During an effect the surface holds the frame being shown; composing the sign
    // again from matriz would show what the effect has not drawn yet.
    if (playback_->isPlaying()) {
        return;
    }
    lumivel_.sign.refrescar();
}

void Form3::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Form3::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    Form_Resize();
}

void Form3::closeEvent(QCloseEvent* event) {
    if (playback_->isPlaying()) {
        // Stop the effect first; the window closes once its handler has returned.
        playback_->stopAndClose();
        event->ignore();
        return;
    }
    if (!exitConfirmed_ && !store_->confirmExitOrStay()) {
        event->ignore();
        return;
    }
    exitConfirmed_ = true;
    windows_->closeAll();
    QMainWindow::closeEvent(event);
}

} // namespace lumivel
