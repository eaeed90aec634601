// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/hexadec.hpp"

#include <QtTest>

using namespace lumivel;

class HexadecTest : public QObject {
    Q_OBJECT
  private slots:
    void converts_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        const char* const rows[][3] = {
            {"FF", "FF", "255"},
            {"0A", "0A", "10"},
            {"single digit", "A", "10"},
            {"lower case ignored", "ff", "0"},
            {"lower keeps weight", "1f", "16"},
            {"trailing space keeps weight", "F ", "240"},
            {"leading space", " F", "15"},
            {"empty", "", "0"},
            {"eight digits wrap, no overflow", "FFFFFFFF", "-1"},
        };
        for (const auto& row : rows) {
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
        }
    }
    void converts() {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(hexadec(input.toStdString())), expected);
    }
};

QTEST_APPLESS_MAIN(HexadecTest)
#include "test_hexadec.moc"
