// SPDX-License-Identifier: GPL-3.0-or-later
// Messages added before any file was named: where they are kept, who can read them, and
// what becomes of them when the user does not want them or the program is killed.
#include "session/file_choice.hpp"
#include "session/message_list.hpp"
#include "session/scratch_file.hpp"
#include "session/scratch_folder.hpp"
#include "session/scratch_recovery.hpp"

#include "support/file_bytes.hpp"
#include "support/message_fixture.hpp"
#include "support/started_state.hpp"

#include <QtTest>

#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace lumivel;
using namespace lumivel::test;
namespace fs = std::filesystem;

namespace {

fs::perms permsOf(const fs::path& p) {
    return fs::symlink_status(p).permissions() & fs::perms::all;
}

// A started program that has added `n` messages without naming a file.
struct WithMessages : StartedState {
    explicit WithMessages(int n) {
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
    fs::path folder() const { return state() / "simlumivel"; }
    std::vector<fs::path> leftovers() const {
        std::vector<fs::path> found;
        for (const auto& e : fs::directory_iterator(folder())) {
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
        WithMessages v(1);
        QVERIFY(v.d.shownBoxes.empty());
        const fs::path p = v.l.archivo.path();
        QCOMPARE(p.parent_path(), folder());
        QVERIFY(p.filename().string().starts_with("sin-nombre-"));
        QCOMPARE(permsOf(folder()), fs::perms::owner_all);
        QCOMPARE(permsOf(p), fs::perms::owner_read | fs::perms::owner_write);
        QCOMPARE(readBytes(p), record(1, 1, 1, "msg 1"));
        // The state folder's own default lies under the home folder.
        qunsetenv("XDG_STATE_HOME");
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QByteArray::fromStdString((state() / "casa").string()));
        const Result<std::string> defaultAnswer = scratchFolder();
        qputenv("HOME", home);
        QVERIFY(defaultAnswer.ok());
        QCOMPARE(fs::path(defaultAnswer.value()), state() / "casa/.local/state/simlumivel");
    }

    // The saved file is the user's like any new one (0666 less the umask), not private as the
    // scratch file was; saved over an existing file it keeps that file's mode.
    void savedFilesTakeTheUsersMode() {
        const mode_t mask = ::umask(027);
        WithMessages v(1);
        const fs::path fresh = state() / "fresh.men";
        const fs::path existing = state() / "existing.men";
        writeBytes(existing, "antes");
        fs::permissions(existing, fs::perms::owner_read | fs::perms::owner_write |
                                      fs::perms::group_read | fs::perms::others_read);
        const bool saved = saveAs(v.l, fresh.string()).ok() && saveAs(v.l, existing.string()).ok();
        ::umask(mask);
        QVERIFY(saved);
        QCOMPARE(permsOf(fresh),
                 fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        QCOMPARE(permsOf(existing), fs::perms::owner_read | fs::perms::owner_write |
                                        fs::perms::group_read | fs::perms::others_read);
        QCOMPARE(readBytes(existing), record(1, 1, 1, "msg 1"));
    }

    // Names planted in advance, here as links to a file of someone else, are never opened:
    // another name is taken.
    void plantedNamesAreNeverFollowed() {
        fs::create_directories(folder());
        const fs::path foreign = state() / "ajeno.men";
        writeBytes(foreign, "no tocar");
        const std::time_t now = std::time(nullptr);
        for (std::time_t t : {now, now + 1}) {
            std::tm local{};
            localtime_r(&t, &local);
            char stamp[32];
            std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
            const std::string base =
                folder() / ("sin-nombre-" + std::string(stamp) + "-" + std::to_string(getpid()));
            fs::create_symlink(foreign, base + ".men");
            fs::create_symlink(foreign, base + "-2.men.lock");
        }
        WithMessages v(1);
        const std::string name = fs::path(v.l.archivo.path()).filename().string();
        QVERIFY2(name.ends_with("-3.men"), name.c_str());
        QVERIFY(!fs::is_symlink(v.l.archivo.path()));
        QCOMPARE(readBytes(foreign), std::string("no tocar"));
    }

    // "No" to the save question removes the scratch file and its lock: Salir and Nuevo.
    void declinedMessagesLeaveNothingBehind() {
        {
            WithMessages v(2);
            v.d.replies = {Answer::No};
            QVERIFY(confirmExit(v.l, v.d));
            QVERIFY(leftovers().empty());
        }
        WithMessages w(1);
        w.d.replies = {Answer::No};
        nuevo_Click(w.l, w.d);
        QVERIFY(w.l.scratch.isOpen());
        QCOMPARE(fs::file_size(w.l.archivo.path()), std::uintmax_t{0}); // the message is gone
        QCOMPARE(leftovers().size(), std::size_t{2}); // the new, empty one and its lock
        QVERIFY(confirmExit(w.l, w.d));               // empty: removed without asking
        QVERIFY(leftovers().empty());
        QCOMPARE(w.d.shownBoxes.size(), std::size_t{1});
    }

    void leftoversAreOfferedOnce_data() {
        QTest::addColumn<int>("reply");
        QTest::newRow("recover") << int(Answer::Yes);
        QTest::newRow("discard") << int(Answer::No);
        QTest::newRow("later") << int(Answer::Cancel);
    }
    void leftoversAreOfferedOnce() {
        QFETCH(int, reply);
        std::string rest;
        {
            WithMessages killed(2); // ends without leaving: as if killed
            rest = killed.l.archivo.path();
        }
        fs::create_directories(folder());
        writeBytes(folder() / "sin-nombre-vacio.men", ""); // removed without asking

        StartedState a;
        a.d.replies = {Answer(reply)};
        offerScratchRecovery(a.l, a.d);
        QCOMPARE(a.d.shownBoxes.size(), std::size_t{1});
        const MessageBoxSpec& box = a.d.shownBoxes[0];
        QCOMPARE(box.buttons, Buttons::YesNoCancel);
        QVERIFY2(box.texto.find("Hay 2 mensajes de una sesión anterior") == 0, box.texto.c_str());
        QVERIFY(!fs::exists(folder() / "sin-nombre-vacio.men"));

        switch (Answer(reply)) {
        case Answer::Yes:
            QCOMPARE(a.l.archivo.path(), rest);
            QVERIFY(a.l.scratch.isOpen());
            QCOMPARE(a.l.lstcodigo, (std::vector<std::string>{"1", "2"}));
            // It is this run's scratch file now: saving it takes it away.
            a.d.replies = {Answer::Yes};
            a.d.files = {(state() / "rescatado.men").string()};
            QVERIFY(confirmExit(a.l, a.d));
            QCOMPARE(fs::file_size(state() / "rescatado.men"), std::uintmax_t{274});
            QVERIFY(leftovers().empty());
            break;
        case Answer::No:
            QVERIFY(!a.l.archivo.isOpen());
            QVERIFY(leftovers().empty());
            break;
        default: {
            QVERIFY(!a.l.archivo.isOpen());
            QVERIFY(fs::exists(rest));
            StartedState b; // asked again at the next start
            offerScratchRecovery(b.l, b.d);
            QCOMPARE(b.d.shownBoxes.size(), std::size_t{1});
            break;
        }
        }
    }

    // A scratch file whose run is still going is that run's: not offered, not touched.
    void liveScratchFilesAreNotOffered() {
        WithMessages alive(1);
        StartedState a;
        offerScratchRecovery(a.l, a.d);
        QVERIFY(a.d.shownBoxes.empty());
        QVERIFY(!a.l.archivo.isOpen());
        QCOMPARE(readBytes(alive.l.archivo.path()), record(1, 1, 1, "msg 1"));
        QVERIFY(!ScratchLock::acquire(alive.l.archivo.path()).ok());
    }
};

QTEST_APPLESS_MAIN(ScratchFileTest)
#include "test_scratch_file.moc"
