#include "app/command.hpp"
#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "display/scripted_dialogs.hpp"
#include "display/shown_sign.hpp"
#include "presentation/editing_mode.hpp"
#include "presentation/presentation_choice.hpp"
#include "session/file_choice.hpp"
#include "session/message_list.hpp"
#include "session/startup.hpp"

#include "support/file_bytes.hpp"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QtTest>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace lumivel;
namespace fs = std::filesystem;

namespace {

struct Run {
    int code = -1;
    std::string out;
    std::string err;
};

Run run(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    Run r;
    r.code = cli::runCommandLine(args, {out, err});
    r.out = out.str();
    r.err = err.str();
    return r;
}

tipomensaje registroEn(const std::string& bytes, int n) {
    RegistroBytes b{};
    std::copy_n(bytes.begin() + (n - 1) * 137, 137, b.begin());
    return decodificar(b);
}

const std::string kImagen = "000FFF" + std::string(120, '0') + "81";

} // namespace

class StoreCliTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::string ruta(const std::string& nombre) const {
        return (fs::path(dir_.path().toStdString()) / nombre).string();
    }

  private slots:
    // The command line and the window's buttons write the same bytes.
    void sameFileAsTheWindow() {
        const std::string cli = ruta("cli.men");
        QCOMPARE(run({"add", cli, "Hola"}).out, std::string("1\n"));
        QCOMPARE(run({"add", "--font", "negrita", cli, "--effect", "porfila", "--", "-dos-"}).out,
                 std::string("2\n"));
        QCOMPARE(run({"add", "--picture", kImagen, cli}).out, std::string("3\n"));
        QCOMPARE(run({"modify", cli, "1", "--effect=porcolumna", "Adios"}).code, 0);
        QCOMPARE(run({"delete", cli, "2"}).code, 0);

        ShownSign shown;
        Lumivel l;
        ScriptedDialogs d;
        l.sign.setSurface(&shown);
        arrancar(l, ".");
        const std::string ventana = ruta("ventana.men");
        QVERIFY(abrirArchivoMensajes(l, ventana).ok());
        cambiarTexto(l, "Hola");
        ADICIONAR_Click(l, d);
        seleccionarOpletra(l, 3);
        seleccionarOpMostrar(l, 1);
        cambiarTexto(l, "-dos-");
        ADICIONAR_Click(l, d);
        seleccionarOption1(l, kModoDibujo);
        l.sign.cbin(0x0F, 1);
        l.sign.envector(1);
        l.sign.cbin(0xFF, 2);
        l.sign.envector(2);
        l.sign.cbin(0x81, 63);
        l.sign.envector(63);
        ADICIONAR_Click(l, d);
        seleccionarOption1(l, kModoTexto);
        seleccionarOpletra(l, 0);
        seleccionarOpMostrar(l, 2);
        cambiarTexto(l, "Adios");
        QVERIFY(seleccionarNumero(l, 1));
        MODIFICAR_Click(l, d);
        QVERIFY(seleccionarNumero(l, 2));
        ELIMINAR_Click(l, d);
        QVERIFY(d.mostradas.empty());

        const std::string bytes = leerBytes(cli);
        QCOMPARE(bytes.size(), std::size_t{411});
        QCOMPARE(bytes, leerBytes(ventana));
        QCOMPARE(registroEn(bytes, 2).estado, '0');
        QCOMPARE(registroEn(bytes, 3).numero, std::int16_t{2});
        QCOMPARE(registroEn(bytes, 3).texto, kImagen + "  ");
    }

    void listsPlainAndJson() {
        const std::string f = ruta("lista.men");
        run({"add", "--effect", "porfila", "--font", "5x9", f, "año €\"\\"});
        run({"add", "--picture", kImagen, f});
        run({"add", f, "tercero"});
        run({"delete", f, "1"});

        const Run plain = run({"list", f});
        QCOMPARE(plain.code, 0);
        QCOMPARE(plain.out, "1\timagen\t" + kImagen + "\n2\tCaminando\t5 x 5\ttercero\n");
        const Run all = run({"list", "--all", f});
        QVERIFY(all.out.rfind("1\tPor Fila\t5 x 9\taño €\"\\\t(eliminado, posicion 1)\n", 0) == 0);

        const Run js = run({"list", f, "--json", "--all"});
        QCOMPARE(js.code, 0);
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(js.out));
        QVERIFY(doc.isArray());
        const QJsonArray a = doc.array();
        QCOMPARE(a.size(), 3);
        const QJsonObject borrado = a[0].toObject();
        QCOMPARE(borrado["position"].toInt(), 1);
        QCOMPARE(borrado["estado"].toString(), QString("0"));
        QCOMPARE(borrado["presentacion"].toInt(), 2);
        QCOMPARE(borrado["letra"].toInt(), 3);
        QCOMPARE(borrado["kind"].toString(), QString("text"));
        QCOMPARE(borrado["texto"].toString(), QString::fromUtf8("año €\"\\"));
        const QJsonObject imagen = a[1].toObject();
        QCOMPARE(imagen["kind"].toString(), QString("picture"));
        QCOMPARE(imagen["numero"].toInt(), 1);
        QCOMPARE(imagen["texto"].toString(), QString::fromStdString(kImagen));
        QCOMPARE(imagen["presentacion"].toInt(), 255);

        const Run activos = run({"list", "--json", f});
        QCOMPARE(QJsonDocument::fromJson(QByteArray::fromStdString(activos.out)).array().size(), 2);
        QCOMPARE(run({"list", "--json", ruta("vacia.men")}).code, 2);
        std::ofstream(ruta("vacia.men")).flush();
        QCOMPARE(run({"list", "--json", ruta("vacia.men")}).out, std::string("[]\n"));
    }

    void textIsStoredAsWindows1252() {
        const std::string f = ruta("cp1252.men");
        run({"add", f, "ñ€日"});
        const std::string texto = registroEn(leerBytes(f), 1).texto;
        QCOMPARE(texto.substr(0, 3), std::string("\xF1\x80?"));
    }

    void errorsWriteNothing_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown number") << QStringList{"delete", "@", "7"};
        QTest::newRow("number not a number") << QStringList{"modify", "@", "uno", "x"};
        QTest::newRow("bad font") << QStringList{"add", "--font", "6x6", "@", "x"};
        QTest::newRow("bad effect") << QStringList{"add", "--effect", "salto", "@", "x"};
        QTest::newRow("short picture") << QStringList{"add", "--picture", "00FF", "@"};
        QTest::newRow("picture not hex") << QStringList{"add", "--picture", QString(128, 'G'), "@"};
        QTest::newRow("picture over a text")
            << QStringList{"modify", "--picture", QString::fromStdString(kImagen), "@", "1"};
        QTest::newRow("missing text") << QStringList{"add", "@"};
        QTest::newRow("text and picture")
            << QStringList{"add", "--picture", QString::fromStdString(kImagen), "@", "x"};
    }
    void errorsWriteNothing() {
        QFETCH(QStringList, args);
        const std::string f = ruta("errores.men");
        fs::remove(f);
        QCOMPARE(run({"add", f, "uno"}).code, 0);
        const std::string antes = leerBytes(f);
        std::vector<std::string> argv;
        for (const QString& a : args) {
            argv.push_back(a == "@" ? f : a.toStdString());
        }
        const Run r = run(argv);
        QCOMPARE(r.code, 2);
        QVERIFY(!r.err.empty());
        QVERIFY(r.out.empty());
        QCOMPARE(leerBytes(f), antes);
    }

    void missingFilesAreCreatedOnlyByAdd() {
        for (const char* cmd : {"list", "delete", "modify"}) {
            const std::string f = ruta(std::string("falta-") + cmd + ".men");
            std::vector<std::string> argv{cmd, f};
            if (std::string(cmd) != "list") {
                argv.push_back("1");
            }
            if (std::string(cmd) == "modify") {
                argv.push_back("x");
            }
            const Run r = run(argv);
            QCOMPARE(r.code, 2);
            QVERIFY(r.err.find(f) != std::string::npos);
            QVERIFY(!fs::exists(f));
        }
        const std::string carpeta = ruta("carpeta.men");
        fs::create_directory(carpeta);
        const Run r = run({"add", carpeta, "x"});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.find(carpeta) != std::string::npos);
        QCOMPARE(run({"add", ruta("no/hay/x.men"), "x"}).code, 2);
    }

    void fullFileRefusesAddOnTheCommandLine() {
        const std::string f = ruta("lleno.men");
        std::ofstream(f).flush();
        fs::resize_file(f, std::uintmax_t{32767} * 137);
        const Run r = run({"add", f, "x"});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.find("32767") != std::string::npos);
        QCOMPARE(fs::file_size(f), std::uintmax_t{32767} * 137);
    }
};

QTEST_MAIN(StoreCliTest)
#include "test_store_cli.moc"
