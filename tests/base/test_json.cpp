// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json.hpp"

#include <QtTest>

using namespace lumivel;

class JsonTest : public QObject {
    Q_OBJECT
  private slots:
    void escapesQuotesBackslashesAndControlCharacters() {
        QCOMPARE(jsonString(""), std::string("\"\""));
        QCOMPARE(jsonString("di \"hola\" \\ ya"), std::string("\"di \\\"hola\\\" \\\\ ya\""));
        // Every control character, NUL and the CR LF of message texts included.
        QCOMPARE(jsonString(std::string("a\0b", 3)), std::string("\"a\\u0000b\""));
        QCOMPARE(jsonString("\r\n\t\x1f"), std::string("\"\\u000d\\u000a\\u0009\\u001f\""));
        // Above the control range nothing changes: space, DEL and UTF-8 sequences.
        QCOMPARE(jsonString(" \x7f\xC3\xB1\xE2\x82\xAC"),
                 std::string("\" \x7f\xC3\xB1\xE2\x82\xAC\""));
    }
};

QTEST_APPLESS_MAIN(JsonTest)
#include "test_json.moc"
