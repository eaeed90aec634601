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
    fs::path ruta(const char* nombre) const { return fs::path(dir_.path().toStdString()) / nombre; }

  private slots:
    void moveAndDuplicateKeepDeletedRecordsInPlace() {
        const std::string borrado = registro(2, 1, 1, "FUERA", '0');
        const std::string pic = registro(3, imagen(samplePicture()));
        writeBytes(ruta("m.men"),
                   registro(1, 1, 1, "UNO") + borrado + registro(2, 2, 3, "DOS") + pic);
        MessageFile file;
        QVERIFY(file.open(ruta("m.men").string()).ok());

        QVERIFY(moveMessage(file, 3, 1).ok());
        QCOMPARE(readBytes(ruta("m.men")), registro(1, imagen(samplePicture())) + borrado +
                                               registro(2, 1, 1, "UNO") + registro(3, 2, 3, "DOS"));
        QVERIFY(moveMessage(file, 1, 3).ok());
        const std::string original =
            registro(1, 1, 1, "UNO") + borrado + registro(2, 2, 3, "DOS") + pic;
        QCOMPARE(readBytes(ruta("m.men")), original);

        // Unknown messages and places change nothing.
        QCOMPARE(moveMessage(file, 4, 1).ok(), false);
        QCOMPARE(moveMessage(file, 1, 0).ok(), false);
        QCOMPARE(moveMessage(file, 1, 4).error().reason,
                 std::string("el lugar 4 no existe: hay 3 mensajes"));
        QCOMPARE(duplicateMessage(file, 9).ok(), false);
        QCOMPARE(readBytes(ruta("m.men")), original);

        const Result<int> copia = duplicateMessage(file, 2);
        QCOMPARE(copia.value(), 4);
        QCOMPARE(readBytes(ruta("m.men")), original + registro(4, 2, 3, "DOS"));
    }

    void importedListAppendsAfterTheLastActiveMessage() {
        writeBytes(ruta("i.men"), registro(1, 1, 1, "A") + registro(1, 1, 1, "B", '0'));
        const std::string hex = std::string(2, 'F') + std::string(126, '0');
        const Result<std::vector<tipomensaje>> leidos = readMessageList(
            "[{\"position\": 1, \"numero\": 7, \"presentacion\": 3, \"letra\": 4, \"estado\": "
            "\"1\","
            " \"kind\": \"text\", \"texto\": \"Ca\\u00f1a \\\"x\\\" \\ud83d\\ude00\"},"
            " {\"presentacion\": 1, \"letra\": 1, \"kind\": \"text\", \"texto\": \"no\", "
            "\"estado\": \"0\"},"
            "\n {\"kind\": \"picture\", \"presentacion\": 255, \"letra\": 255, \"texto\": \"" +
            hex + "\"}]");
        // The emoji is no Windows-1252 character.
        QCOMPARE(leidos.ok(), false);
        QCOMPARE(leidos.error().reason,
                 std::string("entrada 1, campo \"texto\": tiene caracteres que el letrero no "
                             "puede mostrar"));

        const Result<std::vector<tipomensaje>> bien = readMessageList(
            " [{\"presentacion\": 3, \"letra\": 4, \"kind\": \"text\", \"texto\": \"Ca\\u00f1a "
            "\\\"x\\\"\"},"
            " {\"presentacion\": 1, \"letra\": 1, \"kind\": \"text\", \"texto\": \"no\", "
            "\"estado\": \"0\"},"
            "\n {\"kind\": \"picture\", \"presentacion\": 255, \"letra\": 255, \"texto\": \"" +
            hex + "\"}] ");
        QVERIFY(bien.ok());
        MessageFile file;
        QVERIFY(file.open(ruta("i.men").string()).ok());
        QVERIFY(appendMessages(file, bien.value()).ok());
        tipomensaje pic;
        pic.presentacion = pic.letra = 255;
        pic.texto = hex + "  ";
        pic.estado = '1';
        QCOMPARE(readBytes(ruta("i.men")), registro(1, 1, 1, "A") + registro(1, 1, 1, "B", '0') +
                                               registro(2, 3, 4,
                                                        "Ca\xF1"
                                                        "a \"x\"") +
                                               registro(3, pic));
    }

    void badJsonNamesTheEntryAndField() {
        const std::vector<std::pair<std::string, std::string>> casos = {
            {"", "JSON no válido: error de sintaxis en el byte 1"},
            {"[{\"kind\": \"text\"} x", "JSON no válido: error de sintaxis en el byte 19"},
            {"{\"kind\": \"text\"}", "JSON no válido: se esperaba una lista \"[...]\""},
            {"[{\"kind\": \"text\", \"kind\": \"text\"}]",
             "JSON no válido: la clave \"kind\" está repetida"},
            {"[{\"kind\": \"text\", \"letra\": 1.5}]",
             "entrada 1, campo \"letra\": debe ser un texto entre comillas o un número entero"},
            {"[{}, {\"kind\": \"text\", \"presentacion\": 1, \"letra\": 1}]",
             "entrada 1, campo \"kind\": falta"},
            {"[{\"kind\": \"text\", \"presentacion\": 4, \"letra\": 1, \"texto\": \"\"}]",
             "entrada 1, campo \"presentacion\": debe ser 1, 2 o 3"},
            {"[{\"kind\": \"text\", \"presentacion\": 1, \"letra\": \"1\", \"texto\": \"\"}]",
             "entrada 1, campo \"letra\": debe ser un número entero"},
            {"[{\"kind\": \"picture\", \"presentacion\": 255, \"letra\": 255, \"texto\": \"0G\"}]",
             "entrada 1, campo \"texto\": una imagen son 128 cifras hexadecimales"},
            {"[{\"kind\": \"text\", \"presentacion\": 1, \"letra\": 1, \"texto\": \"\", \"color\": "
             "1}]",
             "entrada 1, campo \"color\": no es un campo de mensaje"},
            {"[{\"kind\": \"text\", \"presentacion\": 1, \"letra\": 1, \"texto\": \"" +
                 std::string(131, 'x') + "\"}]",
             "entrada 1, campo \"texto\": pasa de 130 caracteres"},
        };
        for (const auto& [json, razon] : casos) {
            const Result<std::vector<tipomensaje>> leidos = readMessageList(json);
            QVERIFY2(!leidos.ok(), json.c_str());
            QCOMPARE(QString::fromStdString(leidos.error().reason), QString::fromStdString(razon));
        }
    }
};

QTEST_GUILESS_MAIN(MessageOrderTest)
#include "test_message_order.moc"
