// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/windows1252.hpp"

#include <QtTest>

using namespace lumivel;

class Windows1252Test : public QObject {
    Q_OBJECT
  private slots:
    void roundTripsItsCharacters() {
        const std::string utf8 = "Año ñandú €5 – Œ “x”";
        const std::string bytes = utf8ToWindows1252(utf8);
        QCOMPARE(bytes, std::string("A\xF1o \xF1"
                                    "and\xFA \x80"
                                    "5 \x96 \x8C \x93x\x94"));
        QCOMPARE(windows1252ToUtf8(bytes), utf8);
    }
    void outsideCharactersBecomeQuestionMarks() {
        QCOMPARE(utf8ToWindows1252("a\u4E2Db\U0001F600c"), std::string("a?b?c"));
        // Malformed UTF-8 must not be read past its end.
        QCOMPARE(utf8ToWindows1252(std::string("x\xE2\x82", 3)), std::string("x??"));
    }
    void changesCase() {
        QCOMPARE(windows1252Upper("abc \xF1\xE9 \x9A\xFF z"),
                 std::string("ABC \xD1\xC9 \x8A\x9F Z"));
        QCOMPARE(windows1252Lower("ABC \xD1\xC9 \xD7 Z"), std::string("abc \xF1\xE9 \xD7 z"));
    }
};

QTEST_APPLESS_MAIN(Windows1252Test)
#include "test_windows1252.moc"
