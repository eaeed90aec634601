#include "windows/messages_window.hpp"

#include "base/windows1252.hpp"
#include "display/sign.hpp"
#include "store/message_names.hpp"
#include "ui/sign_image.hpp"
#include "ui/window_font.hpp"
#include "windows/store_controller.hpp"

#include <QAbstractTableModel>
#include <QCache>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

namespace lumivel {
namespace {

enum Column { kNumero, kType, kEffect, kFont, kTexto, kColumnCount };

// Pictures are drawn as the sign draws them, then shrunk to this fraction.
constexpr int kPictureShrink = 3;
constexpr int kPictureWidth = Sign::kSurfaceWidth / kPictureShrink;
constexpr int kPictureHeight = Sign::kSurfaceHeight / kPictureShrink;
// Drawn pictures kept for repainting; a long scroll through pictures must not keep them all.
constexpr int kCachedPictures = 400;

bool sameMessage(const tipomensaje& a, const tipomensaje& b) {
    return std::tie(a.numero, a.presentacion, a.letra, a.texto, a.estado) ==
           std::tie(b.numero, b.presentacion, b.letra, b.texto, b.estado);
}

// A picture message as the sign would show it, in the sign's LED colour.
QImage drawPicture(const tipomensaje& mensaje, const Sign& sign) {
    return signImage(decodePicture(mensaje.texto), QColor(sign.rojo, sign.verde, sign.azul))
        .scaled(kPictureWidth, kPictureHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

// The active records of the open file in file order, as Lstcodigo lists them.
class MessageTableModel : public QAbstractTableModel {
  public:
    MessageTableModel(const Lumivel& l, QObject* parent) : QAbstractTableModel(parent), l_(l) {}

    // Re-reads the file. Only what changed is reported, so the view keeps its scroll
    // position and a file of many records repaints only what shows.
    void reload() {
        std::vector<tipomensaje> bytesRead;
        // A read failure leaves no rows; the list's refill reports it.
        if (Result<std::vector<tipomensaje>> records = l_.archivo.readRecords(); records.ok()) {
            bytesRead = std::move(records.value());
            std::erase_if(bytesRead, [](const tipomensaje& m) { return !m.isActive(); });
        }
        const auto prefix = std::mismatch(messages_.begin(), messages_.end(), bytesRead.begin(),
                                          bytesRead.end(), sameMessage);
        if (prefix.first == messages_.end() && prefix.second == bytesRead.end()) {
            return;
        }
        pictures_.clear();
        if (prefix.first == messages_.end()) {
            // Messages added after the last ones, as ADICIONAR and other writers do.
            beginInsertRows({}, rowCount(), static_cast<int>(bytesRead.size()) - 1);
            messages_ = std::move(bytesRead);
            endInsertRows();
        } else if (bytesRead.size() == messages_.size()) {
            messages_ = std::move(bytesRead);
            emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
        } else {
            beginResetModel();
            messages_ = std::move(bytesRead);
            endResetModel();
        }
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(messages_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kColumnCount;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return QAbstractTableModel::headerData(section, orientation, role);
        }
        static const std::array<QString, kColumnCount> titles = {
            QStringLiteral("Número"), QStringLiteral("Tipo"), QStringLiteral("Efecto"),
            QStringLiteral("Fuente"), QStringLiteral("Texto")};
        return titles.at(static_cast<std::size_t>(section));
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) {
            return {};
        }
        const tipomensaje& m = messages_[static_cast<std::size_t>(index.row())];
        if (role == Qt::DecorationRole && index.column() == kTexto && m.isPicture()) {
            return picture(index.row());
        }
        if (role == Qt::TextAlignmentRole && index.column() == kNumero) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        if (role != Qt::DisplayRole) {
            return {};
        }
        switch (index.column()) {
        case kNumero:
            return static_cast<int>(m.numero);
        case kType:
            return m.isPicture() ? QStringLiteral("Gráfico") : QStringLiteral("Texto");
        case kEffect:
            return m.isPicture() ? QString() : QString::fromStdString(effectName(m.presentacion));
        case kFont:
            return m.isPicture() ? QString() : QString::fromStdString(fontName(m.letra));
        default:
            return m.isPicture() ? QString()
                                 : QString::fromStdString(windows1252ToUtf8(storedText(m)));
        }
    }

  private:
    QImage picture(int row) const {
        // Drawn when first shown, and again once the LED colour has changed.
        if (const Rgb color = l_.sign.litCentre(); color != picturesColour_) {
            pictures_.clear();
            picturesColour_ = color;
        }
        if (const QImage* drawn = pictures_.object(row)) {
            return *drawn;
        }
        QImage drawn = drawPicture(messages_[static_cast<std::size_t>(row)], l_.sign);
        pictures_.insert(row, new QImage(drawn));
        return drawn;
    }

    const Lumivel& l_;
    std::vector<tipomensaje> messages_;
    mutable QCache<int, QImage> pictures_{kCachedPictures};
    mutable Rgb picturesColour_;
};

MessagesWindow::MessagesWindow(const Lumivel& l, StoreController& store, QWidget* parent)
    : QWidget(parent, Qt::Window), l_(l), store_(store) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Mensajes"));
    setWindowTitle(QStringLiteral("Mensajes"));
    setFont(windowFont());
    model_ = new MessageTableModel(l_, this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("tablaMensajes"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->setIconSize(QSize(kPictureWidth, kPictureHeight));
    table_->verticalHeader()->hide();
    // One fixed row height: a view of 32 767 rows then never measures them.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(
        std::max(kPictureHeight, table_->fontMetrics().height()) + 6);
    QHeaderView* header = table_->horizontalHeader();
    const int width = table_->fontMetrics().horizontalAdvance(QStringLiteral("Por columna")) + 24;
    for (int column : {kNumero, kType, kEffect, kFont}) {
        header->resizeSection(column, width);
    }
    header->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 0, 6, 6);
    const auto button = [this, buttons](const QString& texto, const char* name,
                                        void (StoreController::*slot)()) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, &store_, slot);
    };
    button(QStringLiteral("Subir"), "subir", &StoreController::moveUp);
    button(QStringLiteral("Bajar"), "bajar", &StoreController::moveDown);
    button(QStringLiteral("Duplicar"), "duplicar", &StoreController::duplicate);
    buttons->addStretch();
    layout->addLayout(buttons);
    resize(4 * width + kPictureWidth + 60, 400);

    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { rowChanged(current.row()); });
    connect(table_, &QTableView::pressed, this,
            [this](const QModelIndex& index) { pressed(index.row()); });
    connect(&store_, &StoreController::listShown, this, &MessagesWindow::mostrar);
    mostrar();
}

void MessagesWindow::mostrar() {
    syncing_ = true;
    model_->reload();
    const int row = l_.lstcodigoIndex;
    if (row >= 0 && row < model_->rowCount()) {
        const QModelIndex current = model_->index(row, kNumero);
        table_->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
        table_->scrollTo(current);
    } else {
        table_->selectionModel()->clear();
    }
    syncing_ = false;
}

void MessagesWindow::showColour() {
    table_->viewport()->update();
}

void MessagesWindow::rowChanged(int row) {
    if (syncing_ || row < 0) {
        return;
    }
    // A press reports the new row first and the pressed row after it: recall once.
    recalledOnPress_ = QGuiApplication::mouseButtons() != Qt::NoButton;
    store_.recall(row);
}

void MessagesWindow::pressed(int row) {
    // Pressing the selected row again recalls it again, as in Lstcodigo.
    if (recalledOnPress_) {
        recalledOnPress_ = false;
        return;
    }
    if (row >= 0) {
        store_.recall(row);
    }
}

} // namespace lumivel
