// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "presentation/editor_state.hpp"

#include <QObject>

class QFrame;
class QLabel;
class QLineEdit;

namespace lumivel {

class SignWidget;

// What Text1 holds against what the sign can show, where the person is typing: the
// characters used of a record's 130, the letters the chosen font lacks, the columns cut at
// the sign's edge and a mark on the sign's frame where the cut falls. All of it stays out of
// sight while there is nothing to say, and the counter until Text1 first changes, so a
// fresh window shows none of it.
class TextLimits : public QObject {
    Q_OBJECT
  public:
    TextLimits(const EditorState& l, QLineEdit& text1, SignWidget& pic, QObject* parent = nullptr);

    // The counter joins the meters from the next change of Text1 on.
    void countFromNextChange();

  public slots:
    // Brings the meters in line with the text, font and presentation.
    void mostrar();

  private:
    const EditorState& l_;
    QLineEdit& text1_;
    bool counting_ = false;
    SignWidget& pic_;
    QLabel* count_;
    QLabel* glyphs_;
    QLabel* cut_;
    QFrame* cutMark_;
};

} // namespace lumivel
