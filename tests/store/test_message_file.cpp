// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/file_change.hpp"
#include "store/message_file.hpp"
#include "store/message_names.hpp"
#include "store/message_order.hpp"
#include "store/message_record.hpp"
#include "store/message_store.hpp"

#include "support/file_bytes.hpp"
#include "support/message_fixture.hpp"

#include <QtTest>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace lumivel;
using namespace lumivel::test;
namespace fs = std::filesystem;

namespace {

// Read system calls this process has made so far; -1 where the system does not tell.
long readCalls() {
    std::ifstream io("/proc/self/io");
    std::string field;
    long value = -1;
    while (io >> field >> value && field != "syscr:") {
    }
    return field == "syscr:" ? value : -1;
}

} // namespace

class MessageFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    fs::path path(const char* name) const { return fs::path(dir_.path().toStdString()) / name; }

  private slots:
    void recordLayoutIsPackedLittleEndian() {
        const RecordBytes b = encodeRecord(texto(-2, 3, "Hola", '1', 258));
        QCOMPARE(b[0], std::uint8_t{0x02});
        QCOMPARE(b[1], std::uint8_t{0x01});
        QCOMPARE(b[2], std::uint8_t{0xFE});
        QCOMPARE(b[3], std::uint8_t{0xFF});
        QCOMPARE(b[4], std::uint8_t{3});
        QCOMPARE(std::string(b.begin() + 6, b.begin() + 10), std::string("Hola"));
        QCOMPARE(b[10], std::uint8_t{' '});
        QCOMPARE(b[135], std::uint8_t{' '});
        QCOMPARE(b[136], std::uint8_t{'1'});
        const tipomensaje back = decodeRecord(b);
        QCOMPARE(back.numero, std::int16_t{258});
        QCOMPARE(back.presentacion, std::int16_t{-2});
        QCOMPARE(storedText(back), std::string("Hola"));
    }

    void pictureEncoding() {
        std::array<std::int16_t, 256> v{0, 15, 255};
        v[63] = 0x81;
        v[64] = 0x7E; // beyond the 64 stored columns
        const std::string t = encodePicture(v);
        QCOMPARE(t, "000FFF" + std::string(120, '0') + "81  ");
        QVERIFY(decodePicture(t) == samplePicture());
    }

    // A file written elsewhere may hold any value: it shows as its number.
    void effectAndFontNamesOfAnyValue() {
        QCOMPARE(effectName(3) + fontName(4), std::string("Por columnaNegrita"));
        QCOMPARE(effectName(0) + fontName(5) + fontName(-1), std::string("05-1"));
    }

    void missingFileIsCreatedEmptyAndExistingOneKept() {
        const fs::path p = path("nuevo.men");
        MessageFile f;
        QVERIFY(f.open(p.string()).ok());
        QCOMPARE(f.count(), 0);
        QVERIFY(f.write(1, texto(2, 3, "uno")).ok());
        f.close();
        QVERIFY(f.open(p.string()).ok());
        QCOMPARE(f.count(), 1);
        QCOMPARE(fs::file_size(p), std::uintmax_t{137});
    }

    void failuresNameThePathAndTheReasonAndWriteNothing() {
        MessageFile f;
        const auto inMissingFolder = f.open(path("no/hay/carpeta.men").string());
        QVERIFY(!inMissingFolder.ok());
        QVERIFY(inMissingFolder.error().describe().find(path("no/hay/carpeta.men").string() +
                                                        ": ") == 0);
        QVERIFY(!inMissingFolder.error().reason.empty());
        QVERIFY(!f.isOpen());
        tipomensaje m;
        QVERIFY(!f.read(1, m).ok());
        QVERIFY(!f.write(1, tipomensaje{}).ok());

        // Read-only access never creates or writes a file.
        QVERIFY(!f.open(path("no-existe.men").string(), MessageFile::Access::ReadOnly).ok());
        QVERIFY(!fs::exists(path("no-existe.men")));
        writeBytes(path("lectura.men"), std::string(137, 'a'));
        QVERIFY(f.open(path("lectura.men").string(), MessageFile::Access::ReadOnly).ok());
        QCOMPARE(f.count(), 1);
        QVERIFY(!f.write(1, texto(2, 3, "x")).ok());
        QCOMPARE(readBytes(path("lectura.men")), std::string(137, 'a'));

        if (geteuid() != 0) { // permissions do not bind the superuser
            fs::permissions(path("lectura.men"), fs::perms::owner_read);
            const auto protectedFile = f.open(path("lectura.men").string());
            QVERIFY(!protectedFile.ok());
            QVERIFY(!protectedFile.error().reason.empty());
        }
    }

    void outOfRangePositionsAreRefusedAndBufferKept() {
        const fs::path p = path("rango.men");
        MessageFile f;
        QVERIFY(f.open(p.string()).ok());
        QVERIFY(f.write(1, texto(2, 3, "uno")).ok());
        tipomensaje m = texto(2, 3, "buffer", '1', 9);
        for (int n : {0, -1, 2, 40000}) {
            const auto error = f.read(n, m);
            QVERIFY(!error.ok());
            QCOMPARE(error.error().path, p.string());
        }
        QCOMPARE(m.numero, std::int16_t{9});
        QVERIFY(!f.write(3, texto(2, 3, "hueco")).ok());
        QVERIFY(!f.write(0, texto(2, 3, "cero")).ok());
        QCOMPARE(fs::file_size(p), std::uintmax_t{137});
    }

    void fileNeverGrowsBeyondTheRecordLimit() {
        const fs::path p = path("lleno.men");
        writeBytes(p, "");
        fs::resize_file(p, std::uintmax_t{MessageFile::kMaxRecords} * 137);
        MessageFile f;
        QVERIFY(f.open(p.string()).ok());
        QCOMPARE(f.count(), MessageFile::kMaxRecords);
        QVERIFY(!f.write(MessageFile::kMaxRecords + 1, texto(2, 3, "sobra")).ok());
        QVERIFY(f.write(MessageFile::kMaxRecords, texto(2, 3, "ultimo")).ok());
        QCOMPARE(fs::file_size(p), std::uintmax_t{MessageFile::kMaxRecords} * 137);
    }

    // A write the system cuts short (here by a file size limit, as a full disk would)
    // reports the failure and leaves no partial record.
    void fullDiskLeavesNoPartialRecord() {
        const fs::path p = path("corto.men");
        MessageFile f;
        QVERIFY(f.open(p.string()).ok());
        QVERIFY(f.write(1, texto(2, 3, "uno")).ok());
        rlimit before{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit limit = before;
        limit.rlim_cur = 137 + 50;
        const auto signalNumber = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        const auto error = f.write(2, texto(2, 3, "dos"));
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, signalNumber);
        QVERIFY(!error.ok());
        QCOMPARE(error.error().path, p.string());
        QVERIFY(!error.error().reason.empty());
        QCOMPARE(fs::file_size(p), std::uintmax_t{137});
    }

    // Only regular files (or links to them) are message files; nothing blocks on a FIFO.
    void onlyRegularFilesOpen_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("fifo") << "fifo" << false;
        QTest::newRow("device") << "/dev/null" << false;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("link to a regular file") << "link" << true;
    }
    void onlyRegularFilesOpen() {
        QFETCH(QString, kind);
        QFETCH(bool, accepted);
        fs::path p = path(QTest::currentDataTag());
        if (kind == "fifo") {
            QCOMPARE(::mkfifo(p.c_str(), 0600), 0);
        } else if (kind == "folder") {
            fs::create_directory(p);
        } else if (kind == "link") {
            writeBytes(path("target.men"), record(1, 1, 1, "x"));
            fs::create_symlink(path("target.men"), p);
        } else {
            p = kind.toStdString();
        }
        for (const auto access : {MessageFile::Access::ReadOnly, MessageFile::Access::ReadWrite}) {
            MessageFile f;
            const Result<void> opened = f.open(p.string(), access);
            QCOMPARE(opened.ok(), accepted);
            if (accepted) {
                QCOMPARE(f.count(), 1);
            } else {
                QCOMPARE(opened.error().path, p.string());
                QCOMPARE(opened.error().reason, std::string(kNotARegularFile));
                QVERIFY(!f.isOpen());
            }
        }
    }

    // Writers that each append under the lock never overwrite one another, also when one
    // of them replaces the file meanwhile.
    void lockedWritersKeepEveryRecord() {
        const std::string p = path("shared.men").string();
        constexpr int kPerWriter = 150;
        std::atomic<int> faults{0};
        const auto writer = [&p, &faults](int mark) {
            MessageFile f;
            faults += f.open(p).ok() ? 0 : 1;
            for (int i = 0; i < kPerWriter; ++i) {
                FileLock lock(f);
                const int n = f.count() + 1;
                const tipomensaje m =
                    texto(1, 1, std::to_string(mark), '1', static_cast<std::int16_t>(n));
                faults += lock.taken().ok() && f.write(n, m).ok() ? 0 : 1;
                if (mark == 1 && i % 50 == 0) {
                    // Same content, new file: the other writer must follow it.
                    std::vector<tipomensaje> all(static_cast<std::size_t>(n));
                    for (int k = 1; k <= n; ++k) {
                        faults += f.read(k, all[static_cast<std::size_t>(k - 1)]).ok() ? 0 : 1;
                    }
                    faults += f.replaceAll(all).ok() ? 0 : 1;
                }
            }
        };
        std::thread other(writer, 2);
        writer(1);
        other.join();
        QCOMPARE(faults.load(), 0);
        MessageFile f;
        QVERIFY(f.open(p, MessageFile::Access::ReadOnly).ok());
        QCOMPARE(f.count(), 2 * kPerWriter);
        for (int k = 1; k <= f.count(); ++k) {
            tipomensaje m;
            QVERIFY(f.read(k, m).ok());
            QCOMPARE(int{m.numero}, k);
        }
    }

    // The replacement goes where a link points, keeps the permissions and a partial last
    // record, leaves no file beside it, and the object goes on with the new file.
    void replaceAllKeepsLinkModeAndTail() {
        const fs::path real = path("real.men");
        const fs::path link = path("enlace.men");
        writeBytes(real, record(1, 1, 1, "a") + record(2, 1, 1, "b") + "cola");
        const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
        fs::permissions(real, mode);
        fs::create_symlink(real, link);
        const auto inputs = [this] {
            return std::distance(fs::directory_iterator(dir_.path().toStdString()),
                                 fs::directory_iterator());
        };
        const auto before = inputs();
        MessageFile f;
        QVERIFY(f.open(link.string()).ok());
        QCOMPARE(f.trailingBytes(), 4L);
        QVERIFY(f.replaceAll({texto(3, 2, "c", '1', 1)}).ok());
        QVERIFY(fs::is_symlink(link));
        QCOMPARE(readBytes(real), record(1, 3, 2, "c") + "cola");
        QCOMPARE(fs::status(real).permissions(), mode);
        QCOMPARE(inputs(), before);
        QVERIFY(f.write(2, texto(1, 1, "d", '1', 2)).ok());
        QCOMPARE(readBytes(real).substr(137), record(2, 1, 1, "d"));
    }

    // Refilling the list and rewriting the file read it in one go, however many records it
    // holds: a full file costs little more than an empty one.
    void wholeFileIsReadInOneGo() {
        const fs::path p = path("muchos.men");
        std::string bytes;
        for (std::int16_t k = 1; k <= 300; ++k) {
            bytes += record(k, texto(1, 1, "m" + std::to_string(k)));
        }
        writeBytes(p, bytes);
        MessageStore s;
        QVERIFY(s.archivo.open(p.string()).ok());
        const long before = readCalls();
        if (before < 0) {
            QSKIP("the system does not count read calls");
        }
        QVERIFY(llenarlista(s).ok());
        QVERIFY(moveMessage(s.archivo, 300, 1).ok());
        QVERIFY(llenarlista(s).ok());
        QVERIFY2(readCalls() - before < 20, std::to_string(readCalls() - before).c_str());
        QCOMPARE(s.lstcodigo.size(), std::size_t{300});
        QCOMPARE(s.mensaje.numero, std::int16_t{300});
        QCOMPARE(storedText(s.mensaje), std::string("m299"));
    }

    // A step keeps only the bytes that differ, is recorded under one lock held across the
    // operation's own (and its rename), puts the file back exactly both ways, and refuses,
    // touching nothing, once the file holds anything else.
    void changesGoBackExactlyOrNotAtAll() {
        const fs::path p = path("pasos.men");
        const std::string a = record(1, 2, 1, "a"), b = record(2, 2, 1, "b");
        const std::string c = record(3, 2, 1, "c");
        writeBytes(p, a + b + c);
        MessageFile f;
        QVERIFY(f.open(p.string()).ok());
        const auto lockedElsewhere = [&p] {
            const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
            const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
            ::close(fd);
            return held;
        };
        const auto step = recordChange(f, [&] {
            {
                FileLock own(f);
                QVERIFY(f.replaceAll({recordAt(a + c, 1), recordAt(a + c, 2)}).ok());
            }
            QVERIFY(lockedElsewhere());
        });
        QVERIFY(!lockedElsewhere());
        QVERIFY(step.has_value());
        QCOMPARE(step->before.size() + step->after.size(), std::size_t{137});
        QVERIFY(!recordChange(f, [] {}).has_value());

        QVERIFY(applyChange(f, *step, ChangeDirection::Undo).ok());
        QCOMPARE(readBytes(p), a + b + c);
        QVERIFY(applyChange(f, *step, ChangeDirection::Redo).ok());
        QCOMPARE(readBytes(p), a + c);

        // Same length, one byte elsewhere; then a record more: both are noticed.
        for (const std::string& foreign : {record(1, 2, 1, "z") + c, a + c + a}) {
            writeBytes(p, foreign);
            const auto refused = applyChange(f, *step, ChangeDirection::Undo);
            QVERIFY(!refused.ok());
            QCOMPARE(refused.error().reason, std::string(kFileChangedElsewhere));
            QCOMPARE(readBytes(p), foreign);
        }
    }

    // A change keeps only the bytes that differ and puts the file back: a copy of the last
    // record appended (prefix and suffix never overlap), many records renumbered (their two
    // changed bytes each, not the records).
    void changesKeepOnlyTheDifferingBytes_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("keptBytes");
        const QByteArray a = QByteArray::fromStdString(record(1, 2, 1, "a"));
        QTest::newRow("last record copied") << a << a + a << 137;
        std::string before, after;
        for (std::int16_t n = 1; n <= 200; ++n) {
            before += record(n, 2, 1, "m");
            after += record(static_cast<std::int16_t>(n * 2), 2, 1, "m");
        }
        QTest::newRow("renumbered")
            << QByteArray::fromStdString(before) << QByteArray::fromStdString(after) << 2 * 2 * 200;
    }
    void changesKeepOnlyTheDifferingBytes() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(int, keptBytes);
        const auto change =
            describeChange({before.begin(), before.end()}, {after.begin(), after.end()});
        QVERIFY(change.has_value());
        QVERIFY(change->before.size() + change->after.size() <=
                static_cast<std::size_t>(keptBytes));
        const fs::path p = path("cambio.men");
        writeBytes(p, after.toStdString());
        MessageFile f;
        QVERIFY(f.open(p.string()).ok());
        QVERIFY(applyChange(f, *change, ChangeDirection::Undo).ok());
        QCOMPARE(readBytes(p), before.toStdString());
    }
};

QTEST_APPLESS_MAIN(MessageFileTest)
#include "test_message_file.moc"
