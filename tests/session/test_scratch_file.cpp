// Messages added before any file was named: where they are kept, who can read them, and
// what becomes of them when the user does not want them or the program is killed.
#include "session/file_choice.hpp"
#include "session/message_list.hpp"
#include "session/scratch_file.hpp"

#include "support/file_bytes.hpp"
#include "support/message_fixture.hpp"
#include "support/started_state.hpp"

#include <QtTest>

#include <ctime>
#include <filesystem>
#include <unistd.h>

using namespace lumivel;
using namespace lumivel::test;
namespace fs = std::filesystem;

namespace {

fs::perms permsOf(const fs::path& p) {
    return fs::symlink_status(p).permissions() & fs::perms::all;
}

// A started program that has added `n` messages without naming a file.
struct ConMensajes : StartedState {
    explicit ConMensajes(int n) {
        for (int i = 1; i <= n; ++i) {
            changeText(l, "msg " + std::to_string(i));
            ADICIONAR_Click(l, d);
        }
    }
};

} // namespace

class ScratchFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    fs::path state() const { return fs::path(dir_.path().toStdString()) / "estado"; }
    fs::path carpeta() const { return state() / "simlumivel"; }
    std::vector<fs::path> restos() const {
        std::vector<fs::path> found;
        for (const auto& e : fs::directory_iterator(carpeta())) {
            found.push_back(e.path());
        }
        return found;
    }

  private slots:
    void init() {
        qputenv("XDG_STATE_HOME", QByteArray::fromStdString(state().string()));
        std::error_code ignored;
        fs::remove_all(state(), ignored);
    }

    void scratchFileIsPrivateToTheUser() {
        ConMensajes v(1);
        QVERIFY(v.d.mostradas.empty());
        const fs::path p = v.l.archivo.path();
        QCOMPARE(p.parent_path(), carpeta());
        QVERIFY(p.filename().string().starts_with("sin-nombre-"));
        QCOMPARE(permsOf(carpeta()), fs::perms::owner_all);
        QCOMPARE(permsOf(p), fs::perms::owner_read | fs::perms::owner_write);
        QCOMPARE(readBytes(p), registro(1, 1, 1, "msg 1"));
        // The state folder's own default lies under the home folder.
        qunsetenv("XDG_STATE_HOME");
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QByteArray::fromStdString((state() / "casa").string()));
        const Result<std::string> defaultAnswer = scratchFolder();
        qputenv("HOME", home);
        QVERIFY(defaultAnswer.ok());
        QCOMPARE(fs::path(defaultAnswer.value()), state() / "casa/.local/state/simlumivel");
    }

    // Names planted in advance, here as links to a file of someone else, are never opened:
    // another name is taken.
    void plantedNamesAreNeverFollowed() {
        fs::create_directories(carpeta());
        const fs::path ajeno = state() / "ajeno.men";
        writeBytes(ajeno, "no tocar");
        const std::time_t ahora = std::time(nullptr);
        for (std::time_t t : {ahora, ahora + 1}) {
            std::tm local{};
            localtime_r(&t, &local);
            char sello[32];
            std::strftime(sello, sizeof sello, "%Y%m%d-%H%M%S", &local);
            const std::string base =
                carpeta() / ("sin-nombre-" + std::string(sello) + "-" + std::to_string(getpid()));
            fs::create_symlink(ajeno, base + ".men");
            fs::create_symlink(ajeno, base + "-2.men.lock");
        }
        ConMensajes v(1);
        const std::string nombre = fs::path(v.l.archivo.path()).filename().string();
        QVERIFY2(nombre.ends_with("-3.men"), nombre.c_str());
        QVERIFY(!fs::is_symlink(v.l.archivo.path()));
        QCOMPARE(readBytes(ajeno), std::string("no tocar"));
    }

    // "No" to the save question removes the scratch file and its lock: Salir and Nuevo.
    void declinedMessagesLeaveNothingBehind() {
        {
            ConMensajes v(2);
            v.d.respuestas = {Answer::No};
            QVERIFY(confirmExit(v.l, v.d));
            QVERIFY(restos().empty());
        }
        ConMensajes w(1);
        w.d.respuestas = {Answer::No};
        nuevo_Click(w.l, w.d);
        QVERIFY(w.l.isScratchFile);
        QCOMPARE(fs::file_size(w.l.archivo.path()), std::uintmax_t{0}); // the message is gone
        QCOMPARE(restos().size(), std::size_t{2}); // the new, empty one and its lock
        QVERIFY(confirmExit(w.l, w.d));            // empty: removed without asking
        QVERIFY(restos().empty());
        QCOMPARE(w.d.mostradas.size(), std::size_t{1});
    }

    void leftoversAreOfferedOnce_data() {
        QTest::addColumn<int>("respuesta");
        QTest::newRow("recover") << int(Answer::Yes);
        QTest::newRow("discard") << int(Answer::No);
        QTest::newRow("later") << int(Answer::Cancel);
    }
    void leftoversAreOfferedOnce() {
        QFETCH(int, respuesta);
        std::string resto;
        {
            ConMensajes killed(2); // ends without leaving: as if killed
            resto = killed.l.archivo.path();
        }
        fs::create_directories(carpeta());
        writeBytes(carpeta() / "sin-nombre-vacio.men", ""); // removed without asking

        StartedState a;
        a.d.respuestas = {Answer(respuesta)};
        offerScratchRecovery(a.l, a.d);
        QCOMPARE(a.d.mostradas.size(), std::size_t{1});
        const MessageBoxSpec& caja = a.d.mostradas[0];
        QCOMPARE(caja.botones, Buttons::YesNoCancel);
        QVERIFY2(caja.texto.find("Hay 2 mensajes de una sesión anterior") == 0, caja.texto.c_str());
        QVERIFY(!fs::exists(carpeta() / "sin-nombre-vacio.men"));

        switch (Answer(respuesta)) {
        case Answer::Yes:
            QCOMPARE(a.l.archivo.path(), resto);
            QVERIFY(a.l.isScratchFile);
            QCOMPARE(a.l.lstcodigo, (std::vector<std::string>{"1", "2"}));
            // It is this run's scratch file now: saving it takes it away.
            a.d.respuestas = {Answer::Yes};
            a.d.archivos = {(state() / "rescatado.men").string()};
            QVERIFY(confirmExit(a.l, a.d));
            QCOMPARE(fs::file_size(state() / "rescatado.men"), std::uintmax_t{274});
            QVERIFY(restos().empty());
            break;
        case Answer::No:
            QVERIFY(!a.l.archivo.isOpen());
            QVERIFY(restos().empty());
            break;
        default: {
            QVERIFY(!a.l.archivo.isOpen());
            QVERIFY(fs::exists(resto));
            StartedState b; // asked again at the next start
            offerScratchRecovery(b.l, b.d);
            QCOMPARE(b.d.mostradas.size(), std::size_t{1});
            break;
        }
        }
    }

    // A scratch file whose run is still going is that run's: not offered, not touched.
    void liveScratchFilesAreNotOffered() {
        ConMensajes vivo(1);
        StartedState a;
        offerScratchRecovery(a.l, a.d);
        QVERIFY(a.d.mostradas.empty());
        QVERIFY(!a.l.archivo.isOpen());
        QCOMPARE(readBytes(vivo.l.archivo.path()), registro(1, 1, 1, "msg 1"));
        QVERIFY(!ScratchLock::acquire(vivo.l.archivo.path()).ok());
    }
};

QTEST_APPLESS_MAIN(ScratchFileTest)
#include "test_scratch_file.moc"
