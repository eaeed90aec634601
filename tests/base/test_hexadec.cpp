#include "base/hexadec.hpp"

#include <QtTest>

using namespace lumivel;

class HexadecTest : public QObject {
    Q_OBJECT
  private slots:
    void converts_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("FF") << "FF"
                            << "255";
        QTest::newRow("0A") << "0A"
                            << "10";
        QTest::newRow("single A") << "A"
                                  << "10";
        QTest::newRow("single 7") << "7"
                                  << "7";
        QTest::newRow("lower case ignored") << "ff"
                                            << "0";
        QTest::newRow("lower keeps weight") << "1f"
                                            << "16";
        QTest::newRow("trailing space keeps weight") << "F "
                                                     << "240";
        QTest::newRow("leading space") << " F"
                                       << "15";
        QTest::newRow("empty") << ""
                               << "0";
        QTest::newRow("eight digits wrap, no overflow") << "FFFFFFFF"
                                                        << "-1";
    }
    void converts() {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(hexadec(input.toStdString())), expected);
    }
};

QTEST_APPLESS_MAIN(HexadecTest)
#include "test_hexadec.moc"
