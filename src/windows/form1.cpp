// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/form1.hpp"

#include "transmission/link_advice.hpp"
#include "transmission/serial_devices.hpp"
#include "transmission/transmission_texts.hpp"

#include "ui/input_blocker.hpp"
#include "ui/settings.hpp"
#include "ui/twips.hpp"
#include "windows/state_changes.hpp"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QStatusBar>
#include <QTimer>

namespace lumivel {
namespace {

const char* const kTotalMessages = "MENSAJES EN TOTAL";
// The row for other ports sits between the frame and the status bar, which moves down.
constexpr int kExtraRow = 405;

} // namespace

Form1::Form1(Lumivel& lumivel, Dialogs& dialogs, StateChanges& changes, QWidget* parent)
    : QWidget(parent, Qt::Window), lumivel_(lumivel), dialogs_(dialogs), changes_(changes) {
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    showRememberedPort();
    Form_Load();
}

Form1::~Form1() {
    if (thread_ != nullptr) {
        // The program is ending: stop at the next byte; the port closes as usual.
        thread_->shouldStop();
        thread_->wait();
    }
}

void Form1::createControls() {
    setWindowTitle(kTransmissionTitle);
    setFont(QFont("Arial", 8));
    const QRect client = twips(0, 0, 10575, 1905 + kExtraRow);
    setFixedSize(client.size());

    Frame1_ = new QGroupBox("Puerto a Utilizar", this);
    Frame1_->setGeometry(twips(240, 240, 2535, 1095));
    option1Group_ = new QButtonGroup(this);
    const std::array<QRect, kSerialPortCount> positions = {
        twips(240, 360, 855, 255), twips(240, 720, 855, 255), twips(1320, 360, 855, 255),
        twips(1320, 720, 855, 255)};
    for (int i = 0; i < kSerialPortCount; ++i) {
        auto* option = new QRadioButton(QStringLiteral("Comm%1").arg(i + 1), Frame1_);
        // As wide as its caption needs, which the laid-out width cuts in this font; the
        // columns leave the room.
        QRect position = positions.at(static_cast<std::size_t>(i));
        position.setWidth(qMax(position.width(), option->sizeHint().width()));
        option->setGeometry(position);
        option1Group_->addButton(option, i);
        Option1_.at(static_cast<std::size_t>(i)) = option;
    }
    connect(option1Group_, &QButtonGroup::idClicked, this, &Form1::Option1_Click);

    otherLabel_ = new QLabel("Otro puerto:", this);
    otherLabel_->setGeometry(twips(240, 1410, 1080, 285));
    otherPort_ = new QComboBox(this);
    otherPort_->setEditable(true);
    otherPort_->setGeometry(twips(1320, 1380, 3735, 330));
    otherPort_->setToolTip("Elija un puerto detectado o escriba su ruta (por ejemplo la "
                           "que muestra \"simlumivel sign\")");
    QStringList devices;
    for (const std::string& device : serialDevices()) {
        devices << QString::fromStdString(device);
    }
    // Whatever else Qt finds (a port of another kind of driver).
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (!devices.contains(info.systemLocation())) {
            devices << info.systemLocation();
        }
    }
    otherPort_->addItems(devices);
    otherPort_->setCurrentIndex(-1);
    // Screen readers name the field by its label.
    otherLabel_->setBuddy(otherPort_);
    otherPort_->lineEdit()->setPlaceholderText("elija o escriba un dispositivo");
    timeLabel_ = new QLabel(this);
    timeLabel_->setObjectName("Tiempo");
    timeLabel_->setGeometry(twips(5175, 1410, 3000, 285));
    timeLabel_->setToolTip("Lo que tarda la transmisión, medido en la respuesta del Lumivel");
    connect(otherPort_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (text.trimmed().isEmpty()) {
            return;
        }
        // A typed or picked device replaces the CommN choice.
        option1Group_->setExclusive(false);
        for (QRadioButton* option : Option1_) {
            option->setChecked(false);
        }
        option1Group_->setExclusive(true);
    });

    QFont bold("Times New Roman", 12);
    bold.setBold(true);
    SkinLabel1_ = new QLabel(kTotalMessages, this);
    SkinLabel1_->setFont(bold);
    SkinLabel1_->setGeometry(twips(3000, 240, 5175, 255));
    ProgressBar1_ = new QProgressBar(this);
    ProgressBar1_->setGeometry(twips(3000, 600, 5175, 255));
    ProgressBar1_->setTextVisible(false);
    ProgressBar1_->setRange(0, 100);
    ProgressBar1_->setValue(0);
    ProgressBar1_->setAccessibleName("Progreso de la transmisión");
    SkinLabel2_ = new QLabel("TAMAÑO", this);
    SkinLabel2_->setFont(bold);
    SkinLabel2_->setGeometry(twips(3000, 960, 5175, 255));

    Command1_ = new QPushButton("Enviar", this);
    Command1_->setGeometry(twips(8640, 240, 1455, 375));
    Command2_ = new QPushButton("Cancelar", this);
    Command2_->setGeometry(twips(8640, 720, 1455, 375));
    stopButton_ = new QPushButton("Detener", this);
    stopButton_->setObjectName("Detener");
    stopButton_->setGeometry(twips(8640, 1365, 1455, 375));
    stopButton_->setToolTip("Detiene la transmisión tras el byte en curso");
    stopButton_->hide();
    connect(stopButton_, &QPushButton::clicked, this, [this] {
        if (thread_ != nullptr) {
            thread_->shouldStop();
        }
    });
    connect(Command1_, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2_, &QPushButton::clicked, this, &Form1::Command2_Click);
    // Command1 first in tab order.
    setTabOrder(Command1_, Command2_);
    Command1_->setFocus();

    StatusBar1_ = new QStatusBar(this);
    StatusBar1_->setSizeGripEnabled(false);
    StatusBar1_->setGeometry(twips(0, 1650 + kExtraRow, 10575, 255));
    const std::array<int, 3> widths = {400, 140, 140};
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QLabel(StatusBar1_);
        panel->setFixedWidth(widths.at(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        StatusBar1_->addWidget(panel);
        panels_.at(i) = panel;
    }
    panels_[1]->setToolTip("indica la fecha");
    panels_[2]->setToolTip("indica la Hora");
    clock_ = new QTimer(this);
    connect(clock_, &QTimer::timeout, this, &Form1::refreshDateTime);
}

void Form1::Form_Load() {
    panels_[0]->setText(kProgrammingStatus);
    refreshDateTime();
    clock_->start(1000);
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &Form1::reload);
    reload();
}

void Form1::watchFile() {
    if (!watcher_->files().isEmpty()) {
        watcher_->removePaths(watcher_->files());
    }
    // A delete renames a new file over the old one, which ends the watch on that path.
    if (lumivel_.archivo.isOpen()) {
        watcher_->addPath(QString::fromStdString(lumivel_.archivo.path()));
    }
}

void Form1::reload() {
    if (thread_ != nullptr) {
        return;
    }
    // Another program may have replaced the file; the window must read the new one.
    (void)lumivel_.archivo.reopenIfReplaced();
    watchFile();
    load_ = cargarcomm(lumivel_, image_, lumivel_.totaldatos);
    showLabels();
}

void Form1::changeEvent(QEvent* event) {
    // Back from the main window, where the messages or the open file may have changed.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        reload();
    }
    QWidget::changeEvent(event);
}

void Form1::showLabels() {
    SkinLabel1_->setText(QString::fromStdString(messagesCaption(load_)));
    const Caption size = sizeCaption(load_, image_.ndatos);
    SkinLabel2_->setText(QString::fromStdString(size.texto));
    SkinLabel2_->setToolTip(QString::fromStdString(size.toolTip));
}

void Form1::refreshDateTime() {
    const QDateTime now = QDateTime::currentDateTime();
    panels_[1]->setText(now.toString("dd/MM/yyyy"));
    panels_[2]->setText(now.toString("HH:mm"));
}

void Form1::mostrar() {
    show();
    raise();
    activateWindow();
}

void Form1::showRememberedPort() {
    const QString device = Settings().port();
    if (device.isEmpty()) {
        return;
    }
    for (int i = 0; i < kSerialPortCount; ++i) {
        if (QString::fromStdString(serialPortDevice(i)) == device) {
            Option1_.at(static_cast<std::size_t>(i))->setChecked(true);
            return;
        }
    }
    otherPort_->setEditText(device);
}

QString Form1::port() const {
    const QString other = otherPort_->currentText().trimmed();
    if (!other.isEmpty()) {
        return other;
    }
    const int chosen = option1Group_->checkedId();
    return QString::fromStdString(serialPortDevice(chosen >= 0 ? chosen : 0));
}

void Form1::Option1_Click(int /*index*/) {
    // A CommN choice replaces a typed device.
    otherPort_->setCurrentIndex(-1);
    otherPort_->setEditText(QString());
}

void Form1::Command1_Click() {
    if (thread_ != nullptr) {
        return;
    }
    // What is sent is what the file holds now, not what it held when the window opened.
    reload();
    if (std::optional<SendResult> refused = refusal(load_)) {
        // Refused before any port is touched; the same outcome the link gives.
        lastSend_ = *refused;
        if (auto box = outcomeBox(lastSend_, load_, port().toStdString())) {
            showBox(*box);
        }
        return;
    }
    thread_ = new TransferThread(factory_, port(), image_, load_, lumivel_.totaldatos,
                                 replyTimeoutMs_, this);
    connect(thread_, &TransferThread::connected, this, [this] { setWindowTitle(kConnectedTitle); });
    connect(thread_, &TransferThread::setMaximum, this, [this](int totaldatos) {
        ProgressBar1_->setRange(0, std::max(totaldatos, 0));
        ProgressBar1_->setValue(0);
    });
    connect(thread_, &TransferThread::progress, ProgressBar1_, &QProgressBar::setValue);
    connect(thread_, &TransferThread::dataError, this, [this] { showBox(dataErrorBox()); });
    connect(thread_, &TransferThread::measured, this,
            [this, device = port().toStdString()](const LinkMeasurement& link) {
                onMeasured(link, device);
            });
    connect(thread_, &TransferThread::timeLeft, this, [this](int seconds) {
        timeLabel_->setText(QString::fromStdString(timeLeftCaption(seconds)));
    });
    connect(thread_, &QThread::finished, this, &Form1::onFinished);
    panels_[0]->setText(kProgrammingStatus);
    timeLabel_->clear();
    blockInput(true);
    thread_->start();
}

void Form1::onFinished() {
    lastSend_ = thread_->result();
    const LoadResult load = thread_->load();
    const std::string device = thread_->device().toStdString();
    thread_->deleteLater();
    thread_ = nullptr;
    blockInput(false);
    // The port worth offering next time is one that reached a sign, not the last one tried.
    if (keepsConnectedTitle(lastSend_.outcome)) {
        Settings().setPort(QString::fromStdString(device));
    }
    const std::string summary = transferSummary(lastSend_);
    panels_[0]->setText(summary.empty() ? QStringLiteral("No se ha enviado nada.")
                                        : QString::fromStdString(summary));
    // A transfer cut short (the sign unplugged or silent) leaves no claim of a good connection.
    if (lastSend_.outcome != Outcome::Verified && lastSend_.outcome != Outcome::WithErrors) {
        setWindowTitle(kTransmissionTitle);
    }
    // What it cost stays in view; a transfer that never measured the line says nothing.
    const std::optional<LinkMeasurement>& link = lastSend_.transfer.link;
    timeLabel_->setText(link ? QString::fromStdString(estimateCaption(*link)) : QString());
    emit transferFinished();
    if (auto box = outcomeBox(lastSend_, load, device)) {
        showBox(*box);
    }
}

void Form1::blockInput(bool running) {
    Command1_->setEnabled(!running);
    Command2_->setEnabled(!running);
    stopButton_->setVisible(running);
    Frame1_->setEnabled(!running);
    otherPort_->setEnabled(!running);
    if (running && blocker_ == nullptr) {
        // While a transfer runs, the other windows take no input and cannot be closed: the
        // messages being sent must not change under the user. Message boxes stay usable.
        blocker_ = new InputBlocker(this, this);
    } else if (!running && blocker_ != nullptr) {
        delete blocker_;
        blocker_ = nullptr;
    }
}

void Form1::onMeasured(const LinkMeasurement& link, const std::string& device) {
    timeLabel_->setText(QString::fromStdString(estimateCaption(link)));
    const std::optional<LinkAdvice> advice =
        slowLinkAdvice(link, device, findUsbAdapter(device), thisSystem());
    if (!advice || !advisedPorts_.insert(device).second) {
        return;
    }
    showBox(adviceBox(*advice), [this, command = commandBox(*advice)](Answer answer) {
        if (answer == Answer::Yes) {
            showBox(command);
        }
    });
}

void Form1::showBox(const MessageBoxSpec& box, std::function<void(Answer)> onAnswer) {
    boxes_.emplace_back(box, std::move(onAnswer));
    if (showingBox_) {
        return;
    }
    showingBox_ = true;
    while (!boxes_.empty()) {
        auto [next, answered] = boxes_.front();
        boxes_.pop_front();
        const Answer answer = dialogs_.mensaje(next);
        if (answered) {
            answered(answer);
        }
    }
    showingBox_ = false;
}

void Form1::Command2_Click() {
    // Cancelar redraws the sign once more after the window has gone, and closing deletes it.
    StateChanges& changes = changes_;
    close();
    emit changes.signChanged();
}

void Form1::closeEvent(QCloseEvent* event) {
    if (thread_ != nullptr) {
        // The transfer owns the line until it ends.
        event->ignore();
        return;
    }
    event->accept();
    emit changes_.signChanged();
}

} // namespace lumivel
