// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/messages_window.hpp"

#include "base/windows1252.hpp"
#include "display/sign.hpp"
#include "store/message_names.hpp"
#include "ui/sign_image.hpp"
#include "ui/twips.hpp"
#include "ui/window_font.hpp"
#include "windows/store_controller.hpp"

#include <QAbstractTableModel>
#include <QCache>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <functional>
#include <tuple>
#include <vector>

namespace lumivel {
namespace {

enum Column { kNumber, kType, kEffect, kFont, kText, kColumnCount };

// Pictures are drawn as the sign draws them, then shrunk to this fraction.
constexpr int kPictureShrink = 3;
constexpr int kPictureWidth = Sign::kSurfaceWidth / kPictureShrink;
constexpr int kPictureHeight = Sign::kSurfaceHeight / kPictureShrink;
// Drawn pictures kept for repainting; a long scroll through pictures must not keep them all.
constexpr int kCachedPictures = 400;
// The size of the main window's ADICIONAR, ELIMINAR and MODIFICAR.
constexpr QSize kButtonSize = twips(0, 0, 1215, 375).size();
// Dragged rows carry the file they come from and their messages' numbers, so a drop from
// another file or an outdated list is refused instead of moving other messages.
const QString kDragFormat = QStringLiteral("application/x-simlumivel-mensajes");

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

    // Called with the dragged rows and the gap (0..rows) they were dropped into.
    std::function<void(const std::vector<int>& rows, int gap)> dropped;

    // Re-reads the file. Only what changed is reported, so the view keeps its scroll
    // position and a file of many records repaints only what shows. False: nothing changed.
    bool reload() {
        std::vector<tipomensaje> bytesRead;
        // A read failure leaves no rows; the list's refill reports it.
        if (Result<std::vector<tipomensaje>> records = l_.archivo.readRecords(); records.ok()) {
            bytesRead = std::move(records.value());
            std::erase_if(bytesRead, [](const tipomensaje& m) { return !m.isActive(); });
        }
        const auto prefix = std::mismatch(messages_.begin(), messages_.end(), bytesRead.begin(),
                                          bytesRead.end(), sameMessage);
        if (prefix.first == messages_.end() && prefix.second == bytesRead.end()) {
            return false;
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
        return true;
    }

    int numero(int row) const { return messages_.at(static_cast<std::size_t>(row)).numero; }

    // Rows are dragged whole and dropped between rows, never onto one.
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
        return index.isValid() ? flags | Qt::ItemIsDragEnabled : flags | Qt::ItemIsDropEnabled;
    }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override { return {kDragFormat}; }

    QMimeData* mimeData(const QModelIndexList& indexes) const override {
        std::vector<int> rows;
        for (const QModelIndex& index : indexes) {
            rows.push_back(index.row());
        }
        std::ranges::sort(rows);
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        QStringList lines{QString::fromStdString(l_.archivo.path())};
        for (int row : rows) {
            lines << QString::number(numero(row));
        }
        auto* data = new QMimeData;
        data->setData(kDragFormat, lines.join(u'\n').toUtf8());
        return data;
    }

    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override {
        if (!canDropMimeData(data, action, row, column, parent) || !dropped) {
            return false;
        }
        const QStringList lines = QString::fromUtf8(data->data(kDragFormat)).split(u'\n');
        if (lines.size() < 2 || lines.front() != QString::fromStdString(l_.archivo.path())) {
            return false;
        }
        std::vector<int> rows;
        for (qsizetype k = 1; k < lines.size(); ++k) {
            bool number = false;
            const int n = lines[k].toInt(&number);
            const auto found = std::ranges::find(messages_, n, &tipomensaje::numero);
            if (!number || found == messages_.end()) {
                return false;
            }
            rows.push_back(static_cast<int>(found - messages_.begin()));
        }
        const int gap = row >= 0 ? row : parent.isValid() ? parent.row() : rowCount();
        dropped(rows, gap);
        // The file has moved them; the view's removal of moved rows finds no removeRows here.
        return true;
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
        if (role == Qt::DecorationRole && index.column() == kText && m.isPicture()) {
            return picture(index.row());
        }
        if (role == Qt::TextAlignmentRole && index.column() == kNumber) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        if (role != Qt::DisplayRole) {
            return {};
        }
        switch (index.column()) {
        case kNumber:
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
    model_->dropped = [this](const std::vector<int>& rows, int gap) { dropped(rows, gap); };
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("tablaMensajes"));
    table_->setModel(model_);
    table_->installEventFilter(this);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Not InternalMove: that takes only drops whose source is this view, so a drop would
    // be refused whenever the drag is not Qt's own.
    table_->setDragDropMode(QAbstractItemView::DragDrop);
    table_->setDefaultDropAction(Qt::MoveAction);
    table_->setDragDropOverwriteMode(false);
    table_->setDropIndicatorShown(true);
    table_->setWordWrap(false);
    table_->setIconSize(QSize(kPictureWidth, kPictureHeight));
    table_->verticalHeader()->hide();
    // One fixed row height: a view of 32 767 rows then never measures them.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(
        std::max(kPictureHeight, table_->fontMetrics().height()) + 6);
    QHeaderView* header = table_->horizontalHeader();
    const int width = table_->fontMetrics().horizontalAdvance(QStringLiteral("Por columna")) + 24;
    for (int column : {kNumber, kType, kEffect, kFont}) {
        header->resizeSection(column, width);
    }
    header->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 0, 6, 6);
    const auto button = [this, buttons](const QString& caption, const char* name,
                                        const std::function<void()>& clicked) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedSize(kButtonSize);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, clicked);
        return b;
    };
    selectionButtons_ = {
        button(QStringLiteral("Subir"), "subir", [this] { move(-1); }),
        button(QStringLiteral("Bajar"), "bajar", [this] { move(+1); }),
        button(QStringLiteral("Eliminar"), "eliminar", [this] { eliminar(); }),
    };
    button(QStringLiteral("Duplicar"), "duplicar", [this] { store_.duplicate(); });
    buttons->addStretch();
    layout->addLayout(buttons);
    resize(4 * width + kPictureWidth + 60, 400);

    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { rowChanged(current.row()); });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MessagesWindow::showButtons);
    connect(table_, &QTableView::pressed, this,
            [this](const QModelIndex& index) { pressed(index.row()); });
    mostrar();
}

void MessagesWindow::mostrar() {
    syncing_ = true;
    const bool changed = model_->reload();
    const int row = l_.lstcodigoIndex;
    if (row >= 0 && row < model_->rowCount()) {
        // The same list showing the row chosen here keeps the other rows chosen with it.
        if (changed || table_->currentIndex().row() != row) {
            const QModelIndex current = model_->index(row, kNumber);
            table_->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect |
                                                                   QItemSelectionModel::Rows);
            table_->scrollTo(current);
        }
    } else {
        table_->selectionModel()->clear();
    }
    syncing_ = false;
    showButtons();
}

void MessagesWindow::showColour() {
    table_->viewport()->update();
}

void MessagesWindow::keyPressEvent(QKeyEvent* event) {
    // The table and the buttons pass Esc on unused.
    if (event->key() == Qt::Key_Escape) {
        close();
    } else {
        QWidget::keyPressEvent(event);
    }
}

bool MessagesWindow::eventFilter(QObject* watched, QEvent* event) {
    // Supr deletes only where the rows are: on a button it would come as a surprise.
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Delete)) {
        eliminar();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

std::vector<int> MessagesWindow::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::ranges::sort(rows);
    return rows;
}

void MessagesWindow::selectRows(const std::vector<int>& rows) {
    QItemSelection selection;
    for (int row : rows) {
        selection.select(model_->index(row, 0), model_->index(row, kColumnCount - 1));
    }
    if (!selection.isEmpty()) {
        // The current row stays the one the controller selected in Lstcodigo.
        table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
}

void MessagesWindow::move(int step) {
    selectRows(store_.moveRows(selectedRows(), step));
}

void MessagesWindow::eliminar() {
    const std::vector<int> rows = selectedRows();
    if (rows.size() == 1) {
        // Exactly what choosing it in Lstcodigo and pressing ELIMINAR do.
        store_.recall(rows.front());
        store_.eliminar();
    } else if (!rows.empty()) {
        store_.eliminarRows(rows);
    }
}

void MessagesWindow::dropped(const std::vector<int>& rows, int gap) {
    if (rows.size() == 1) {
        const int from = rows.front();
        const int place = (gap <= from ? gap : gap - 1) + 1;
        if (place != from + 1) {
            store_.moveTo(model_->numero(from), place);
        }
    } else {
        selectRows(store_.moveRowsTo(rows, gap));
    }
}

void MessagesWindow::showButtons() {
    const bool chosen = table_->selectionModel()->hasSelection();
    for (QPushButton* b : selectionButtons_) {
        b->setEnabled(chosen);
    }
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
