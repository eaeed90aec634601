// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "session/lumivel.hpp"
#include "transmission/transmission_image.hpp"
#include "ui/transfer_thread.hpp"

#include <QWidget>
#include <array>
#include <deque>
#include <functional>
#include <set>
#include <string>

class QButtonGroup;
class QFileSystemWatcher;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTimer;

namespace lumivel {

class StateChanges;

// The transmission window: shows how many messages and bytes will be sent, sends them to
// the sign with "Enviar" and follows the transfer. The image is rebuilt from the open
// message file at every "Enviar", and the labels follow the file while the window is open
// (it watches the file and looks again whenever it is activated); bring an open window
// forward with mostrar() instead of creating another. Deletes itself when closed.
class Form1 : public QWidget {
    Q_OBJECT
  public:
    // Whenever the window closes, the main window's sign is drawn again.
    Form1(Lumivel& lumivel, Dialogs& dialogs, StateChanges& changes, QWidget* parent = nullptr);
    ~Form1() override;

    // Shows the window, or brings it forward if it is already shown.
    void mostrar();

    // The device "Enviar" opens: the typed or picked one, else the chosen CommN, else port 1.
    QString port() const;
    bool transferring() const { return thread_ != nullptr; }
    // Tests replace the serial line with their own port.
    void setPortFactory(PortFactory factory) { factory_ = std::move(factory); }
    // How long each byte waits for its echo (100 ms unless changed).
    void setReplyTimeout(int timeoutMs) { replyTimeoutMs_ = timeoutMs; }

    const LoadResult& load() const { return load_; }
    const TransmissionImage& image() const { return image_; }
    // The outcome of the last transfer.
    const SendResult& lastSend() const { return lastSend_; }

    QLabel* SkinLabel1() const { return SkinLabel1_; }
    QLabel* SkinLabel2() const { return SkinLabel2_; }
    QProgressBar* ProgressBar1() const { return ProgressBar1_; }
    QPushButton* Command1() const { return Command1_; }
    QPushButton* Command2() const { return Command2_; }
    // Shown only while a transfer runs: ends it after the byte on the line.
    QPushButton* stopButton() const { return stopButton_; }
    QRadioButton* Option1(int index) const { return Option1_.at(static_cast<std::size_t>(index)); }
    QComboBox* otherPort() const { return otherPort_; }
    // The transfer's estimate once the line is measured, then the time it still needs.
    QLabel* timeLabel() const { return timeLabel_; }
    QLabel* panel(int index) const { return panels_.at(static_cast<std::size_t>(index)); }

    void Command1_Click();
    void Command2_Click();
    void Option1_Click(int index);
    // Rebuilds the image from the open message file and refreshes the labels; nothing
    // happens during a transfer, which sends the image it started with.
    void reload();

  signals:
    void transferFinished();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void createControls();
    // The port "Enviar" used last, in any run: its CommN option, or typed in the other field.
    void showRememberedPort();
    void Form_Load();
    void showLabels();
    void watchFile();
    void refreshDateTime();
    void blockInput(bool running);
    void onFinished();
    // Boxes raised while another is open wait their turn instead of stacking; `onAnswer`
    // gets the answer to the box it came with.
    void showBox(const MessageBoxSpec& box, std::function<void(Answer)> onAnswer = {});
    // The estimate, and the advice for a slow line once per port in this window's life.
    void onMeasured(const LinkMeasurement& link, const std::string& device);

    Lumivel& lumivel_;
    Dialogs& dialogs_;
    StateChanges& changes_;
    PortFactory factory_ = serialPortFactory();
    int replyTimeoutMs_ = kReplyTimeoutMs;

    TransmissionImage image_;
    LoadResult load_;
    SendResult lastSend_;
    TransferThread* thread_ = nullptr;
    QObject* blocker_ = nullptr;
    std::deque<std::pair<MessageBoxSpec, std::function<void(Answer)>>> boxes_;
    bool showingBox_ = false;
    std::set<std::string> advisedPorts_;

    QGroupBox* Frame1_ = nullptr;
    std::array<QRadioButton*, kSerialPortCount> Option1_{};
    QButtonGroup* option1Group_ = nullptr;
    QLabel* otherLabel_ = nullptr;
    QComboBox* otherPort_ = nullptr;
    QLabel* timeLabel_ = nullptr;
    QLabel* SkinLabel1_ = nullptr;
    QProgressBar* ProgressBar1_ = nullptr;
    QLabel* SkinLabel2_ = nullptr;
    QPushButton* Command1_ = nullptr;
    QPushButton* Command2_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QStatusBar* StatusBar1_ = nullptr;
    std::array<QLabel*, 3> panels_{};
    QTimer* clock_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
};

} // namespace lumivel
