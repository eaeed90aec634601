// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input_blocker.hpp"

#include <QContextMenuEvent>
#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

using namespace lumivel;

// Records which events reach it.
class Probe : public QPushButton {
  public:
    QList<QEvent::Type> seen;
    bool event(QEvent* event) override {
        seen << event->type();
        return QPushButton::event(event);
    }
};

class InputBlockerTest : public QObject {
    Q_OBJECT
  private slots:
    void blocksEveryWindowButNotPaintOrClosing() {
        Probe probe;
        probe.show();
        QVERIFY(QTest::qWaitForWindowExposed(&probe));
        QSignalSpy clicked(&probe, &QPushButton::clicked);
        {
            InputBlocker blocker;
            probe.seen.clear();
            QTest::mouseClick(&probe, Qt::LeftButton);
            QTest::mouseMove(&probe, QPoint(3, 3));
            QTest::keyClick(&probe, Qt::Key_Space);
            QWheelEvent wheel({5, 5}, {5, 5}, {}, {0, 120}, {}, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&probe, &wheel);
            QContextMenuEvent menu(QContextMenuEvent::Mouse, {5, 5}, {5, 5});
            QApplication::sendEvent(&probe, &menu);
            probe.repaint();
            QCOMPARE(clicked.count(), 0);
            for (QEvent::Type input : {QEvent::MouseButtonPress, QEvent::MouseMove,
                                       QEvent::KeyPress, QEvent::Wheel, QEvent::ContextMenu}) {
                QVERIFY(!probe.seen.contains(input));
            }
            QVERIFY(probe.seen.contains(QEvent::Paint));
            QVERIFY(probe.close()); // how an effect is stopped
        }
    }

    void oneWindowAndDialogsKeepTheirInputAndTheOthersStayOpen() {
        Probe other;
        QPushButton kept;
        QDialog dialog;
        auto* inDialog = new QPushButton(&dialog);
        for (QWidget* window : std::initializer_list<QWidget*>{&other, &kept, &dialog}) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
        }
        QSignalSpy otherClicked(&other, &QPushButton::clicked);
        QSignalSpy keptClicked(&kept, &QPushButton::clicked);
        QSignalSpy dialogClicked(inDialog, &QPushButton::clicked);
        {
            InputBlocker blocker(&kept);
            for (QWidget* button : std::initializer_list<QWidget*>{&other, &kept, inDialog}) {
                QTest::mouseClick(button, Qt::LeftButton);
            }
            QContextMenuEvent menu(QContextMenuEvent::Mouse, {5, 5}, {5, 5});
            QApplication::sendEvent(&other, &menu); // nor a context menu
            QVERIFY(!other.seen.contains(QEvent::ContextMenu));
            QCOMPARE(otherClicked.count(), 0);
            QCOMPARE(keptClicked.count(), 1);
            QCOMPARE(dialogClicked.count(), 1);
            QVERIFY(!other.close());
            QVERIFY(dialog.close());
        }
        QTest::mouseClick(&other, Qt::LeftButton); // all input is back
        QCOMPARE(otherClicked.count(), 1);
        QVERIFY(other.close());
    }
};

QTEST_MAIN(InputBlockerTest)
#include "test_input_blocker.moc"
