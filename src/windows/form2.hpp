// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <string>

class QLabel;
class QPushButton;

namespace lumivel {

class Dialogs;
class Skin;
class StateChanges;

// The About window "Acerca de...". Modeless and without owner; it deletes itself when
// closed, so the opener keeps a QPointer. Only "Volver" announces the sign.
class Form2 : public QWidget {
    Q_OBJECT
  public:
    Form2(Skin& skin, Dialogs& dialogs, const std::string& archivoskin, StateChanges& changes,
          QWidget* parent = nullptr);

    QLabel* SkinLabel(int index) const; // 1..4
    QPushButton* Command1() const { return Command1_; }
    QPushButton* Command2() const { return Command2_; }

  private:
    void Command1_Click();

    QLabel* SkinLabel1_ = nullptr;
    QLabel* SkinLabel2_ = nullptr;
    QLabel* SkinLabel3_ = nullptr;
    QLabel* SkinLabel4_ = nullptr;
    QPushButton* Command1_ = nullptr;
    QPushButton* Command2_ = nullptr;
    StateChanges& changes_;
};

} // namespace lumivel
