// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/text_limits.hpp"

#include "base/windows1252.hpp"
#include "display/missing_glyphs.hpp"
#include "presentation/editing_mode.hpp"
#include "session/message_problems.hpp"
#include "store/message_record.hpp"
#include "ui/sign_widget.hpp"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace lumivel {
namespace {

QLabel* meter(QWidget* parent, const char* name, const QRect& where, Qt::Alignment alignment) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(where);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

QString fromWindows1252(const std::string& bytes) {
    return QString::fromStdString(windows1252ToUtf8(bytes));
}

} // namespace

TextLimits::TextLimits(const EditorState& l, QLineEdit& text1, SignWidget& pic, QObject* parent)
    : QObject(parent), l_(l), text1_(text1), pic_(pic) {
    QWidget* client = text1.parentWidget();
    const QRect box = text1.geometry();
    constexpr int kCountWidth = 56;
    // The row under Text1 holds the counter and the letters warning; the cut, the longest
    // sentence, has the row under the list buttons to itself.
    const int under = box.bottom() + 1;
    count_ = meter(client, "textCount",
                   QRect(box.right() + 1 - kCountWidth, under, kCountWidth, 17), Qt::AlignRight);
    count_->setToolTip(QStringLiteral("Caracteres del mensaje y máximo que guarda"));
    glyphs_ = meter(client, "glyphWarning", QRect(box.left(), under, box.width() - kCountWidth, 17),
                    Qt::AlignLeft);
    cut_ = meter(client, "cutWarning", QRect(box.left(), client->height() - 24, box.width(), 22),
                 Qt::AlignLeft);
    for (QLabel* warning : {glyphs_, cut_}) {
        warning->setStyleSheet(QStringLiteral("color: #b00000;"));
    }
    cutMark_ = new QFrame(client);
    cutMark_->setObjectName(QStringLiteral("cutMark"));
    cutMark_->setStyleSheet(QStringLiteral("background-color: #ff8c00;"));
    cutMark_->setToolTip(QStringLiteral("El texto sigue más allá del borde del Lumivel"));
    cutMark_->hide();
    mostrar();
}

void TextLimits::countFromNextChange() {
    connect(&text1_, &QLineEdit::textChanged, this, [this] {
        counting_ = true;
        mostrar();
    });
}

void TextLimits::mostrar() {
    const bool editing = l_.option1 == kTextMode && !l_.texto.empty();
    count_->setText(editing && counting_
                        ? QStringLiteral("%1/%2").arg(l_.texto.size()).arg(tipomensaje::kTextLength)
                        : QString());
    const MessageProblems problems =
        editing ? messageProblems(l_.texto, l_.tipoletra, l_.tipopresentacion) : MessageProblems{};
    glyphs_->setText(problems.missing.empty() ? QString()
                                              : fromWindows1252(missingGlyphsWarning(
                                                    l_.tipoletra - 1, problems.missing)));
    QString cut;
    if (problems.columns > 0) {
        cut = QString::fromStdString(
            cutSentence(problems.columns, windows1252ToUtf8(problems.hidden)));
    }
    // The hidden words may run past the label; the tooltip keeps the whole sentence.
    cut_->setText(cut_->fontMetrics().elidedText(cut, Qt::ElideRight, cut_->width()));
    cut_->setToolTip(cut);
    // A bar just past the sign's last column: what would follow it is what is lost.
    const QRect sign = pic_.geometry();
    cutMark_->setGeometry(sign.right() + 1, sign.top(), 3, sign.height());
    cutMark_->setVisible(!cut.isEmpty());
    cutMark_->raise();
}

} // namespace lumivel
