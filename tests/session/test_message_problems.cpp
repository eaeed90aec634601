// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/message_problems.hpp"

#include <QtTest>

using namespace lumivel;

class MessageProblemsTest : public QObject {
    Q_OBJECT
  private slots:
    // Cut only where the effect stops at the sign's edge; the hidden part is what starts
    // beyond it, trimmed.
    void textsWiderThanTheSign() {
        // Ten "W" of 5 x 7 and their gaps fill 60 columns; "X" starts past the edge.
        const std::string width = std::string(10, 'W') + "  XY ";
        for (const int presentacion : {2, 3}) {
            const MessageProblems p =
                messageProblems(width, 2, static_cast<std::int16_t>(presentacion));
            QCOMPARE(p.columns, 60 + 8 + 11);
            QCOMPARE(p.hidden, std::string("XY"));
            QVERIFY(p.any());
        }
        QVERIFY(!messageProblems(width, 2, 1).any());
        // A letter that only runs over the edge hides nothing whole.
        const MessageProblems edge = messageProblems(std::string(11, 'W'), 2, 3);
        QCOMPARE(edge.columns, 65);
        QCOMPARE(edge.hidden, std::string());
        QVERIFY(!messageProblems(std::string(10, 'W') + "I", 2, 3).any());
    }

    void missingLettersAndLength() {
        const MessageProblems p = messageProblems("A\xF1o " + std::string(130, 'a'), 1, 1);
        QCOMPARE(p.missing, std::string("\xF1"));
        QCOMPARE(p.length, 134);
        QCOMPARE(p.columns, 0);
        // An unknown font code is not judged; its length still is.
        QCOMPARE(messageProblems("\xF1", 9, 3).missing, std::string());
    }

    // A stored picture is judged by what it lights; a stored text as any text.
    void storedMessages() {
        const auto picture = [](std::uint8_t column) {
            std::array<std::int16_t, 256> columns{};
            columns[63] = column;
            tipomensaje m;
            m.presentacion = tipomensaje::kPicture;
            m.letra = tipomensaje::kPicture;
            m.texto = encodePicture(columns);
            return m;
        };
        QVERIFY(messageProblems(picture(0)).unlit);
        QVERIFY(messageProblems(picture(0)).any());
        QVERIFY(!messageProblems(picture(0x80)).any());
        tipomensaje texto;
        texto.presentacion = 1;
        texto.letra = 1;
        texto.texto = recordText("A\xF1o");
        QCOMPARE(messageProblems(texto).missing, std::string("\xF1"));
    }
};

QTEST_APPLESS_MAIN(MessageProblemsTest)
#include "test_message_problems.moc"
