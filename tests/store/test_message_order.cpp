// SPDX-License-Identifier: GPL-3.0-or-later
// Moving, copying and importing messages: byte-exact against files built by hand, deleted
// records left where they are, and nothing written when the input is bad.
#include "store/message_json.hpp"
#include "store/message_order.hpp"

#include "support/file_bytes.hpp"
#include "support/message_fixture.hpp"

#include <QtTest>

using namespace lumivel;
using namespace lumivel::test;
namespace fs = std::filesystem;

class MessageOrderTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    fs::path path(const char* name) const { return fs::path(dir_.path().toStdString()) / name; }

  private slots:
    void moveAndDuplicateKeepDeletedRecordsInPlace() {
        const std::string erased = record(2, 1, 1, "FUERA", '0');
        const std::string pic = record(3, image(samplePicture()));
        writeBytes(path("m.men"), record(1, 1, 1, "UNO") + erased + record(2, 2, 3, "DOS") + pic);
        MessageFile file;
        QVERIFY(file.open(path("m.men").string()).ok());

        QVERIFY(moveMessage(file, 3, 1).ok());
        QCOMPARE(readBytes(path("m.men")), record(1, image(samplePicture())) + erased +
                                               record(2, 1, 1, "UNO") + record(3, 2, 3, "DOS"));
        QVERIFY(moveMessage(file, 1, 3).ok());
        const std::string original = record(1, 1, 1, "UNO") + erased + record(2, 2, 3, "DOS") + pic;
        QCOMPARE(readBytes(path("m.men")), original);

        // Unknown messages and places change nothing.
        QCOMPARE(moveMessage(file, 4, 1).ok(), false);
        QCOMPARE(moveMessage(file, 1, 0).ok(), false);
        QCOMPARE(moveMessage(file, 1, 4).error().reason,
                 std::string("el lugar 4 no existe: hay 3 mensajes"));
        QCOMPARE(duplicateMessage(file, 9).ok(), false);
        QCOMPARE(readBytes(path("m.men")), original);

        const Result<int> copy = duplicateMessage(file, 2);
        QCOMPARE(copy.value(), 4);
        QCOMPARE(readBytes(path("m.men")), original + record(4, 2, 3, "DOS"));
    }

    void importedListAppendsAfterTheLastActiveMessage() {
        writeBytes(path("i.men"), record(1, 1, 1, "A") + record(1, 1, 1, "B", '0'));
        const std::string hex = std::string(2, 'F') + std::string(126, '0');
        const Result<std::vector<tipomensaje>> bytesRead = readMessageList(
            "[{\"position\": 1, \"numero\": 7, \"presentacion\": 3, \"letra\": 4, \"estado\": "
            "\"1\","
            " \"kind\": \"text\", \"texto\": \"Ca\\u00f1a \\\"x\\\" \\ud83d\\ude00\"},"
            " {\"presentacion\": 1, \"letra\": 1, \"kind\": \"text\", \"texto\": \"no\", "
            "\"estado\": \"0\"},"
            "\n {\"kind\": \"picture\", \"presentacion\": 255, \"letra\": 255, \"texto\": \"" +
            hex + "\"}]");
        // The emoji is no Windows-1252 character.
        QCOMPARE(bytesRead.ok(), false);
        QCOMPARE(bytesRead.error().reason,
                 std::string("entrada 1, campo \"texto\": tiene caracteres que el letrero no "
                             "puede mostrar"));

        const Result<std::vector<tipomensaje>> ok = readMessageList(
            " [{\"presentacion\": 3, \"letra\": 4, \"kind\": \"text\", \"texto\": \"Ca\\u00f1a "
            "\\\"x\\\"\"},"
            " {\"presentacion\": 1, \"letra\": 1, \"kind\": \"text\", \"texto\": \"no\", "
            "\"estado\": \"0\"},"
            "\n {\"kind\": \"picture\", \"presentacion\": 255, \"letra\": 255, \"texto\": \"" +
            hex + "\"}] ");
        QVERIFY(ok.ok());
        MessageFile file;
        QVERIFY(file.open(path("i.men").string()).ok());
        QVERIFY(appendMessages(file, ok.value()).ok());
        tipomensaje pic;
        pic.presentacion = pic.letra = 255;
        pic.texto = hex + "  ";
        pic.estado = '1';
        QCOMPARE(readBytes(path("i.men")), record(1, 1, 1, "A") + record(1, 1, 1, "B", '0') +
                                               record(2, 3, 4,
                                                      "Ca\xF1"
                                                      "a \"x\"") +
                                               record(3, pic));
    }

    void badJsonNamesTheEntryAndField_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* tag, const std::string& json, const char* reason) {
            QTest::newRow(tag) << QByteArray::fromStdString(json) << QString(reason);
        };
        row("empty", "", "JSON no válido: error de sintaxis en el byte 1");
        row("syntax", "[{\"kind\": \"text\", \"presentacion\": 1, \"letra\": 1, \"texto\": \"\"} x",
            "JSON no válido: error de sintaxis en el byte 63");
        row("not a list", "{\"kind\": \"text\"}",
            "JSON no válido: se esperaba una lista \"[...]\"");
        row("repeated key", "[{\"kind\": \"text\", \"kind\": \"text\"}]",
            "JSON no válido: la clave \"kind\" está repetida");
        row("fraction", "[{\"kind\": \"text\", \"letra\": 1.5}]",
            "entrada 1, campo \"letra\": debe ser un texto entre comillas o un número entero");
        row("missing kind", "[{}, {\"kind\": \"text\", \"presentacion\": 1, \"letra\": 1}]",
            "entrada 1, campo \"kind\": falta");
        row("effect out of range",
            "[{\"kind\": \"text\", \"presentacion\": 4, \"letra\": 1, \"texto\": \"\"}]",
            "entrada 1, campo \"presentacion\": debe ser 1, 2 o 3");
        row("quoted number",
            "[{\"kind\": \"text\", \"presentacion\": 1, \"letra\": \"1\", \"texto\": \"\"}]",
            "entrada 1, campo \"letra\": debe ser un número entero");
        row("bad picture",
            "[{\"kind\": \"picture\", \"presentacion\": 255, \"letra\": 255, \"texto\": \"0G\"}]",
            "entrada 1, campo \"texto\": una imagen son 128 cifras hexadecimales");
        row("unknown field",
            "[{\"kind\": \"text\", \"presentacion\": 1, \"letra\": 1, \"texto\": \"\", \"color\": "
            "1}]",
            "entrada 1, campo \"color\": no es un campo de mensaje");
        row("long text",
            "[{\"kind\": \"text\", \"presentacion\": 1, \"letra\": 1, \"texto\": \"" +
                std::string(131, 'x') + "\"}]",
            "entrada 1, campo \"texto\": pasa de 130 caracteres");
        row("huge position", "[{\"kind\": \"text\", \"position\": 1e309}]",
            "entrada 1, campo \"position\": el número está fuera de rango");
        row("huge number", "[{\"kind\": \"text\", \"numero\": 18446744073709551615}]",
            "entrada 1, campo \"numero\": el número está fuera de rango");
        row("null byte",
            "[{\"kind\": \"text\", \"presentacion\": 1, \"letra\": 1, \"texto\": \"\"}]" +
                std::string(1, '\0') + "basura",
            "JSON no válido: byte nulo en el byte 63");
        row("kind a list", "[{\"kind\": [1]}]",
            "entrada 1, campo \"kind\": debe ser un texto entre comillas o un número entero");
        row("entry not an object",
            "[{\"kind\": \"text\", \"presentacion\": 1, \"letra\": 1, \"texto\": \"\"}, 5]",
            "JSON no válido: la entrada 2 no es un objeto");
        // One entry more than any message file holds stops the reading there.
        std::string tooMany = "[";
        for (int i = 0; i <= MessageFile::kMaxRecords; ++i) {
            tooMany += "{\"kind\": \"text\", \"presentacion\": 1, \"letra\": 1, \"texto\": \"x\"},";
        }
        row("too many", tooMany + "this is never read",
            "no caben más mensajes: un archivo guarda como máximo 32767 y la entrada 32768 pasa "
            "de ahí");
    }
    void badJsonNamesTheEntryAndField() {
        QFETCH(QByteArray, json);
        QFETCH(QString, reason);
        const Result<std::vector<tipomensaje>> bytesRead = readMessageList(json.toStdString());
        QVERIFY(!bytesRead.ok());
        QCOMPARE(QString::fromStdString(bytesRead.error().reason), reason);
    }
};

QTEST_GUILESS_MAIN(MessageOrderTest)
#include "test_message_order.moc"
