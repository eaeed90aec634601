#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "display/scripted_dialogs.hpp"
#include "display/shown_sign.hpp"
#include "drawing/drawing_tools.hpp"
#include "presentation/editing_mode.hpp"
#include "presentation/presentation_choice.hpp"
#include "session/file_choice.hpp"
#include "session/message_list.hpp"
#include "session/startup.hpp"

#include "support/file_bytes.hpp"

#include <QtTest>

#include <filesystem>
#include <fstream>
#include <random>

using namespace lumivel;
namespace fs = std::filesystem;

namespace {

std::string registro(std::int16_t numero, std::int16_t presentacion, std::int16_t letra,
                     const std::string& texto, char estado = '1') {
    tipomensaje m;
    m.numero = numero;
    m.presentacion = presentacion;
    m.letra = letra;
    m.texto = textoDeRegistro(texto);
    m.estado = estado;
    const auto b = codificar(m);
    return {b.begin(), b.end()};
}

tipomensaje registroEn(const std::string& bytes, int n) {
    RegistroBytes b{};
    std::copy_n(bytes.begin() + (n - 1) * 137, 137, b.begin());
    return decodificar(b);
}

struct Ventana {
    ShownSign shown;
    Lumivel l;
    ScriptedDialogs d;
    Ventana() {
        l.sign.setSurface(&shown);
        arrancar(l, "/programa");
    }
    void abrir(const fs::path& ruta) { QVERIFY(abrirArchivoMensajes(l, ruta.string()).ok()); }
    void adicionarTexto(const std::string& t, int presentacion = 0, int letra = 0) {
        seleccionarOption1(l, kModoTexto);
        seleccionarOpMostrar(l, presentacion);
        seleccionarOpletra(l, letra);
        cambiarTexto(l, t);
        ADICIONAR_Click(l, d);
    }
    void seleccionar(int numero) { QVERIFY(seleccionarNumero(l, numero)); }
    void recordar(int numero) {
        seleccionar(numero);
        Lstcodigo_Click(l, d, l.lstcodigoIndice);
    }
    std::vector<std::string> lista() const { return l.lstcodigo; }
    bool signoApagado() const {
        for (int c = 0; c < 64; ++c) {
            for (int r = 0; r < 8; ++r) {
                if (l.sign.matriz[c][r] == 1 || shown.lit(c, r)) {
                    return false;
                }
            }
        }
        return true;
    }
    void dibujar(int columna, int fila) {
        Pic_MouseDown(l, kBotonIzquierdo, 12 * columna + 6, 12 * fila + 6);
    }
};

using Lista = std::vector<std::string>;

} // namespace

class MessageListTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    fs::path ruta(const std::string& nombre) const {
        return fs::path(dir_.path().toStdString()) / nombre;
    }
    fs::path temporal() const { return ruta("tmp"); }

  private slots:
    void initTestCase() {
        fs::create_directories(temporal());
        qputenv("TMPDIR", QByteArray::fromStdString(temporal().string()));
    }

    void addDeleteAndAddAgainAreByteExact() {
        Ventana v;
        const fs::path p = ruta("tres.men");
        v.abrir(p);
        QCOMPARE(v.l.totalmensajes, std::int16_t{0});
        v.adicionarTexto("Uno", 1, 0);
        v.adicionarTexto("Dos", 0, 3);
        v.adicionarTexto("Tres", 2, 2);
        QCOMPARE(v.lista(), (Lista{"1", "2", "3"}));
        QCOMPARE(v.l.totalmensajes, std::int16_t{3});
        QCOMPARE(v.l.lstcodigoIndice, -1);
        // Adding leaves the editor as it was.
        QCOMPARE(v.l.texto, std::string("Tres"));
        const std::string tres =
            registro(1, 2, 1, "Uno") + registro(2, 1, 4, "Dos") + registro(3, 3, 3, "Tres");
        QCOMPARE(leerBytes(p), tres);

        v.seleccionar(2);
        ELIMINAR_Click(v.l, v.d);
        QVERIFY(v.d.mostradas.empty());
        const std::string despues =
            registro(1, 2, 1, "Uno") + registro(2, 1, 4, "Dos", '0') + registro(2, 3, 3, "Tres");
        QCOMPARE(leerBytes(p), despues);
        QCOMPARE(v.lista(), (Lista{"1", "2"}));
        QCOMPARE(v.l.texto, std::string());
        QVERIFY(v.signoApagado());

        v.adicionarTexto("Cuatro", 0, 0);
        QCOMPARE(leerBytes(p), despues + registro(3, 1, 1, "Cuatro"));
        QCOMPARE(v.lista(), (Lista{"1", "2", "3"}));
    }

    void deletingEveryMessageKeepsTheRecords() {
        Ventana v;
        const fs::path p = ruta("todos.men");
        v.abrir(p);
        v.adicionarTexto("a");
        v.adicionarTexto("b");
        for (int i = 0; i < 2; ++i) {
            v.seleccionar(1);
            ELIMINAR_Click(v.l, v.d);
        }
        QVERIFY(v.lista().empty());
        QCOMPARE(v.l.totalmensajes, std::int16_t{0});
        QCOMPARE(fs::file_size(p), std::uintmax_t{274});
        v.adicionarTexto("c");
        QCOMPARE(registroEn(leerBytes(p), 3).numero, std::int16_t{1});
        QCOMPARE(v.lista(), (Lista{"1"}));
    }

    void withoutSelectionTheButtonsOnlyExplain() {
        Ventana v;
        const fs::path p = ruta("sinsel.men");
        v.abrir(p);
        v.adicionarTexto("hola");
        const std::string antes = leerBytes(p);
        MODIFICAR_Click(v.l, v.d);
        ELIMINAR_Click(v.l, v.d);
        QCOMPARE(v.d.mostradas.size(), std::size_t{2});
        QCOMPARE(v.d.mostradas[0].titulo, std::string("No se ha seleccionado"));
        QCOMPARE(v.d.mostradas[0].texto,
                 std::string("No se ha seleccionado el numero de mensaje el cual decea\r\n"
                             "Modificar, seleccionelo con el click  izquierdo del  mouse "));
        QCOMPARE(v.d.mostradas[1].texto,
                 std::string("No se ha seleccionado el numero de mensaje el cual decea\r\n"
                             "borrar, seleccionelo con el click  izquierdo del  mouse "));
        QCOMPARE(v.d.mostradas[1].icono, Icono::Ninguno);
        QCOMPARE(v.d.mostradas[1].botones, Botones::Aceptar);
        QCOMPARE(leerBytes(p), antes);
        QCOMPARE(v.l.texto, std::string("hola"));
    }

    void recallingATextRestoresModeEffectAndFont() {
        Ventana v;
        v.abrir(ruta("recuerdo.men"));
        v.adicionarTexto("Por fila  ", 1, 2);
        v.adicionarTexto("Otro", 2, 3);
        seleccionarOption1(v.l, kModoDibujo);
        v.recordar(1);
        QCOMPARE(v.l.option1, kModoTexto);
        QCOMPARE(v.l.tipopresentacion, std::int16_t{2});
        QCOMPARE(v.l.tipoletra, std::int16_t{3});
        QCOMPARE(v.l.opletra, 2);
        QVERIFY(v.l.refresco);
        QCOMPARE(v.l.texto, std::string("Por fila"));

        // Same text, other font: the sign must show the recalled font, not the old one.
        Ventana referencia;
        seleccionarOpletra(referencia.l, 3);
        cambiarTexto(referencia.l, "Otro");
        cambiarTexto(v.l, "Otro");
        v.recordar(2);
        QCOMPARE(v.l.tipoletra, std::int16_t{4});
        QCOMPARE(v.shown.hexLine(), referencia.shown.hexLine());
    }

    void recalledPictureIsExactlyTheStoredOne() {
        Ventana v;
        v.abrir(ruta("imagen.men"));
        seleccionarOption1(v.l, kModoDibujo);
        v.dibujar(0, 0);
        v.dibujar(5, 7);
        v.dibujar(63, 3);
        const std::string hex = v.shown.hexLine();
        ADICIONAR_Click(v.l, v.d);
        QCOMPARE(v.l.mensaje.presentacion, std::int16_t{255});
        QCOMPARE(v.l.mensaje.letra, std::int16_t{255});

        // Another picture on the sign, all lit: nothing of it may remain after recall.
        pintura_Click(v.l);
        v.recordar(1);
        QCOMPARE(v.l.option1, kModoDibujo);
        QCOMPARE(v.shown.hexLine(), hex);
        QCOMPARE(v.l.sign.vector[5], std::int16_t{0x80});
        QCOMPARE(v.l.sign.vector[1], std::int16_t{0});

        // From the text mode as well.
        seleccionarOption1(v.l, kModoTexto);
        v.recordar(1);
        QCOMPARE(v.shown.hexLine(), hex);
    }

    void drawnPictureSurvivesSaveReopenAndRecall() {
        Ventana v;
        seleccionarOption1(v.l, kModoDibujo);
        for (int c = 0; c < 64; c += 3) {
            v.dibujar(c, c % 8);
            v.dibujar(c, 7 - c % 8);
        }
        const std::string dibujo = v.shown.hexLine();
        ADICIONAR_Click(v.l, v.d); // into a scratch file
        v.d.archivos = {ruta("dibujo.men").string()};
        QVERIFY(guardar_Click(v.l, v.d));
        v.d.archivos = {ruta("otro-dibujo.men").string()};
        abrir_Click(v.l, v.d);
        Bomba_Click(v.l);

        Ventana w;
        w.d.archivos = {ruta("dibujo.men").string()};
        abrir_Click(w.l, w.d);
        w.recordar(1);
        QCOMPARE(w.shown.hexLine(), dibujo);
        QVERIFY(w.d.mostradas.empty());
    }

    void modifyRefusesTheWrongEditor() {
        Ventana v;
        const fs::path p = ruta("modificar.men");
        v.abrir(p);
        v.adicionarTexto("texto");
        seleccionarOption1(v.l, kModoDibujo);
        v.dibujar(1, 1);
        ADICIONAR_Click(v.l, v.d);
        const std::string antes = leerBytes(p);

        v.seleccionar(1); // a text, in the drawing mode
        MODIFICAR_Click(v.l, v.d);
        seleccionarOption1(v.l, kModoTexto);
        v.seleccionar(2); // a picture, in the text mode
        MODIFICAR_Click(v.l, v.d);
        QCOMPARE(leerBytes(p), antes);
        QCOMPARE(v.d.mostradas.size(), std::size_t{2});
        QVERIFY(v.d.mostradas[0].texto.find("es un texto") != std::string::npos);
        QVERIFY(v.d.mostradas[1].texto.find("es una imagen") != std::string::npos);

        // In the right mode it rewrites in place and keeps the number and the list.
        v.recordar(1);
        seleccionarOpMostrar(v.l, 2);
        cambiarTexto(v.l, "nuevo");
        MODIFICAR_Click(v.l, v.d);
        QCOMPARE(leerBytes(p), registro(1, 3, 1, "nuevo") + antes.substr(137));
        QCOMPARE(v.l.lstcodigoIndice, 0);

        v.recordar(2);
        v.dibujar(2, 2);
        MODIFICAR_Click(v.l, v.d);
        const tipomensaje imagen = registroEn(leerBytes(p), 2);
        QCOMPARE(imagen.texto.substr(0, 6), std::string("000204"));
        QCOMPARE(imagen.numero, std::int16_t{2});
        QCOMPARE(v.d.mostradas.size(), std::size_t{2});
    }

    void duplicateNumbersRecallTheLastAndModifyTheFirst() {
        Ventana v;
        const fs::path p = ruta("dobles.men");
        escribirBytes(p, registro(1, 1, 1, "primero") + registro(1, 1, 1, "segundo"));
        v.abrir(p);
        QCOMPARE(v.lista(), (Lista{"1", "1"}));
        v.recordar(1);
        QCOMPARE(v.l.texto, std::string("segundo"));
        cambiarTexto(v.l, "cambiado");
        MODIFICAR_Click(v.l, v.d);
        QCOMPARE(textoLeido(registroEn(leerBytes(p), 1)), std::string("cambiado"));
        QCOMPARE(textoLeido(registroEn(leerBytes(p), 2)), std::string("segundo"));
    }

    void firstAddWithoutAFileUsesAScratchFile() {
        Ventana v;
        QVERIFY(!v.l.archivo.isOpen());
        v.adicionarTexto("sin archivo");
        QVERIFY(v.l.archivo.isOpen());
        QVERIFY(v.l.archivoTemporal);
        const fs::path scratch = v.l.archivo.path();
        QCOMPARE(scratch.parent_path(), temporal());
        QCOMPARE(v.lista(), (Lista{"1"}));
        QCOMPARE(leerBytes(scratch), registro(1, 1, 1, "sin archivo"));

        // Leaving asks once; Cancel stays, Yes with a cancelled save stays too.
        v.d.respuestas = {Respuesta::Cancelar, Respuesta::Si};
        QVERIFY(!confirmarSalida(v.l, v.d));
        QVERIFY(!confirmarSalida(v.l, v.d));
        QVERIFY(v.l.archivo.isOpen());
        QCOMPARE(v.d.mostradas.size(), std::size_t{2});
        QCOMPARE(v.d.mostradas[0].botones, Botones::SiNoCancelar);

        // Yes and a name: the messages are saved there and the program may end.
        v.d.respuestas = {Respuesta::Si};
        v.d.archivos = {ruta("rescatado.men").string()};
        QVERIFY(confirmarSalida(v.l, v.d));
        QVERIFY(!v.l.archivo.isOpen());
        QCOMPARE(leerBytes(ruta("rescatado.men")), registro(1, 1, 1, "sin archivo"));
        QVERIFY(!fs::exists(scratch));
    }

    void namedFilesAndEmptyScratchLeaveWithoutQuestion() {
        Ventana v;
        v.abrir(ruta("nombrado.men"));
        v.adicionarTexto("x");
        QVERIFY(confirmarSalida(v.l, v.d));
        QVERIFY(v.d.mostradas.empty());

        Ventana w;
        nuevo_Click(w.l, w.d);
        QVERIFY(w.l.archivoTemporal);
        const fs::path scratch = w.l.archivo.path();
        QVERIFY(confirmarSalida(w.l, w.d));
        QVERIFY(w.d.mostradas.empty());
        QVERIFY(!fs::exists(scratch));
    }

    void newStartsAnEmptyScratchFile() {
        Ventana v;
        v.abrir(ruta("antes-de-nuevo.men"));
        v.adicionarTexto("algo");
        nuevo_Click(v.l, v.d);
        QVERIFY(v.l.archivoTemporal);
        QVERIFY(v.lista().empty());
        QCOMPARE(v.l.totalmensajes, std::int16_t{0});
        QCOMPARE(v.l.texto, std::string());
        QVERIFY(v.signoApagado());
        QCOMPARE(fs::file_size(ruta("antes-de-nuevo.men")), std::uintmax_t{137});
    }

    void openUsesItsDialogSettingsAndClearsTheText() {
        Ventana v;
        const fs::path p = ruta("abrir.men");
        escribirBytes(p, registro(1, 1, 1, "a", '0') + registro(1, 2, 2, "b"));
        v.d.archivos = {p.string()};
        abrir_Click(v.l, v.d);
        QCOMPARE(v.d.dialogosArchivo.size(), std::size_t{1});
        const OpcionesArchivo& o = v.d.dialogosArchivo[0];
        QCOMPARE(o.filtros, (std::vector<std::string>{"Mensajes del Lumivel (*.men)"}));
        QCOMPARE(o.sufijoPorDefecto, std::string("men"));
        QCOMPARE(o.titulo, std::string());
        QCOMPARE(v.l.archivo.path(), p.string());
        QCOMPARE(v.lista(), (Lista{"1"}));
        QCOMPARE(v.l.totalmensajes, std::int16_t{1});
        QCOMPARE(v.l.texto, std::string());

        // Cancelling changes nothing: no reopening, no clearing.
        cambiarTexto(v.l, "sigue");
        abrir_Click(v.l, v.d);
        QCOMPARE(v.l.texto, std::string("sigue"));
        QCOMPARE(v.l.archivo.path(), p.string());

        // A new name makes an empty file.
        v.d.archivos = {ruta("otro.men").string()};
        abrir_Click(v.l, v.d);
        QVERIFY(fs::exists(ruta("otro.men")));
        QVERIFY(v.lista().empty());
        QCOMPARE(v.l.totalmensajes, std::int16_t{0});
    }

    void openFailureKeepsThePreviousFile() {
        Ventana v;
        const fs::path p = ruta("previo.men");
        v.abrir(p);
        v.adicionarTexto("previo");
        fs::create_directory(ruta("carpeta.men"));
        for (const fs::path& malo : {ruta("carpeta.men"), ruta("falta/x.men")}) {
            v.d.archivos = {malo.string()};
            abrir_Click(v.l, v.d);
            QCOMPARE(v.d.mostradas.back().icono, Icono::Critico);
            QVERIFY(v.d.mostradas.back().texto.find(malo.string()) != std::string::npos);
        }
        QCOMPARE(v.l.archivo.path(), p.string());
        v.adicionarTexto("sigue");
        QCOMPARE(v.lista(), (Lista{"1", "2"}));
        QCOMPARE(fs::file_size(p), std::uintmax_t{274});
    }

    void saveCopiesTheOpenFileAndContinuesWithTheCopy() {
        Ventana v;
        const fs::path p = ruta("origen.men");
        v.abrir(p);
        v.adicionarTexto("uno");
        v.adicionarTexto("dos");
        cambiarTexto(v.l, "queda");
        v.d.archivos = {ruta("copia.men").string()};
        QVERIFY(guardar_Click(v.l, v.d));
        QCOMPARE(v.d.dialogosArchivo[0].filtros,
                 (std::vector<std::string>{"mensajes del lumivel (*.men)"}));
        QCOMPARE(v.l.archivo.path(), ruta("copia.men").string());
        QCOMPARE(leerBytes(ruta("copia.men")), leerBytes(p));
        QCOMPARE(v.lista(), (Lista{"1", "2"}));
        QCOMPARE(v.l.texto, std::string("queda"));
        QVERIFY(v.d.mostradas.empty());

        // Changes now go to the copy only.
        v.adicionarTexto("tres");
        QCOMPARE(fs::file_size(ruta("copia.men")), std::uintmax_t{411});
        QCOMPARE(fs::file_size(p), std::uintmax_t{274});
    }

    void saveAsksBeforeOverwritingAndCancelChangesNothing() {
        Ventana v;
        const fs::path p = ruta("guardado.men");
        v.abrir(p);
        v.adicionarTexto("mio");
        const fs::path existente = ruta("existente.men");
        escribirBytes(existente, registro(1, 1, 1, "ajeno"));

        QVERIFY(!guardar_Click(v.l, v.d)); // cancelled dialog
        QVERIFY(v.d.mostradas.empty());

        v.d.archivos = {existente.string()};
        QVERIFY(!guardar_Click(v.l, v.d)); // default answer: No
        QCOMPARE(v.d.mostradas.size(), std::size_t{1});
        const CajaMensaje& caja = v.d.mostradas[0];
        QCOMPARE(caja.texto, std::string("Sobreescribir el archivo existente?"));
        QCOMPARE(caja.titulo, std::string());
        QCOMPARE(caja.botones, Botones::SiNo);
        QCOMPARE(caja.icono, Icono::Pregunta);
        QCOMPARE(caja.porDefecto, Respuesta::No);
        QCOMPARE(leerBytes(existente), registro(1, 1, 1, "ajeno"));
        QCOMPARE(v.l.archivo.path(), p.string());

        v.d.archivos = {existente.string()};
        v.d.respuestas = {Respuesta::Si};
        QVERIFY(guardar_Click(v.l, v.d));
        QCOMPARE(leerBytes(existente), registro(1, 1, 1, "mio"));

        // Under the open file's own name: kept as it is.
        const std::string antes = leerBytes(existente);
        v.d.archivos = {existente.string()};
        v.d.respuestas = {Respuesta::Si};
        QVERIFY(guardar_Click(v.l, v.d));
        QCOMPARE(leerBytes(existente), antes);
        QCOMPARE(v.lista(), (Lista{"1"}));
    }

    void failedSaveKeepsTheOpenFile() {
        Ventana v;
        const fs::path p = ruta("intacto.men");
        v.abrir(p);
        v.adicionarTexto("intacto");
        const std::string antes = leerBytes(p);
        fs::create_directory(ruta("destino.men"));
        for (const fs::path& malo : {ruta("destino.men"), ruta("no/existe.men")}) {
            v.d.archivos = {malo.string()};
            v.d.respuestas = {Respuesta::Si};
            QVERIFY(!guardar_Click(v.l, v.d));
            QCOMPARE(v.d.mostradas.back().icono, Icono::Critico);
            QVERIFY(v.d.mostradas.back().texto.find(malo.string()) != std::string::npos);
            QCOMPARE(v.l.archivo.path(), p.string());
        }
        QCOMPARE(leerBytes(p), antes);
        QVERIFY(fs::is_empty(ruta("destino.men")));
        v.adicionarTexto("sigue");
        QCOMPARE(v.lista(), (Lista{"1", "2"}));
    }

    void saveWithNothingOpenMakesAnEmptyFile() {
        Ventana v;
        v.d.archivos = {ruta("vacio.men").string()};
        QVERIFY(guardar_Click(v.l, v.d));
        QCOMPARE(fs::file_size(ruta("vacio.men")), std::uintmax_t{0});
        QCOMPARE(v.l.archivo.path(), ruta("vacio.men").string());
        QCOMPARE(v.l.totalmensajes, std::int16_t{0});
    }

    void fullFileRefusesAnotherMessage() {
        Ventana v;
        const fs::path p = ruta("lleno.men");
        escribirBytes(p, "");
        fs::resize_file(p, std::uintmax_t{MessageFile::kMaxRecords} * 137);
        v.abrir(p);
        v.adicionarTexto("uno mas");
        QCOMPARE(v.d.mostradas.size(), std::size_t{1});
        QVERIFY(v.d.mostradas[0].texto.find("32767") != std::string::npos);
        QCOMPARE(fs::file_size(p), std::uintmax_t{MessageFile::kMaxRecords} * 137);

        // Beyond the limit the file is refused, and the open one stays.
        fs::resize_file(p, std::uintmax_t{MessageFile::kMaxRecords + 1} * 137);
        const fs::path otro = ruta("pequeno.men");
        Ventana w;
        w.abrir(otro);
        QVERIFY(!abrirArchivoMensajes(w.l, p.string()).ok());
        QCOMPARE(w.l.archivo.path(), otro.string());
    }

    // Random operations on files of arbitrary bytes: never a crash, the file only grows
    // by whole records, and after every delete the active records are numbered 1, 2, ...
    void randomOperationsKeepTheFileSound() {
        std::mt19937 gen(77);
        for (int vuelta = 0; vuelta < 25; ++vuelta) {
            const fs::path p = ruta("azar" + std::to_string(vuelta) + ".men");
            std::string bytes(gen() % 700, '\0');
            for (char& c : bytes) {
                c = static_cast<char>(gen() % 3 == 0 ? '1' : gen() & 0xFF);
            }
            escribirBytes(p, bytes);
            Ventana v;
            v.abrir(p);
            std::size_t largo = bytes.size();
            for (int paso = 0; paso < 30; ++paso) {
                const bool hayLista = !v.l.lstcodigo.empty();
                const int indice = hayLista ? static_cast<int>(gen() % v.l.lstcodigo.size()) : -1;
                switch (gen() % 5) {
                case 0: {
                    const int antes = v.l.archivo.count();
                    if (gen() % 2) {
                        seleccionarOption1(v.l, kModoDibujo);
                        v.dibujar(static_cast<int>(gen() % 64), static_cast<int>(gen() % 8));
                    } else {
                        seleccionarOption1(v.l, kModoTexto);
                        cambiarTexto(v.l, std::string(gen() % 140, 'k'));
                    }
                    ADICIONAR_Click(v.l, v.d);
                    QCOMPARE(v.l.archivo.count(), antes + 1);
                    largo = static_cast<std::size_t>(antes + 1) * 137 > largo
                                ? static_cast<std::size_t>(antes + 1) * 137
                                : largo;
                    break;
                }
                case 1:
                    v.l.lstcodigoIndice = indice;
                    ELIMINAR_Click(v.l, v.d);
                    for (int i = 0; i < static_cast<int>(v.l.lstcodigo.size()); ++i) {
                        QCOMPARE(v.l.lstcodigo[static_cast<std::size_t>(i)], std::to_string(i + 1));
                    }
                    break;
                case 2:
                    v.l.lstcodigoIndice = indice;
                    MODIFICAR_Click(v.l, v.d);
                    break;
                default:
                    if (hayLista) {
                        Lstcodigo_Click(v.l, v.d, indice);
                    }
                    break;
                }
                QCOMPARE(fs::file_size(p), largo);
                QCOMPARE(static_cast<int>(v.l.lstcodigo.size()), int{v.l.totalmensajes});
            }
        }
    }
};

QTEST_APPLESS_MAIN(MessageListTest)
#include "test_message_list.moc"
