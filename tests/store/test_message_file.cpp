#include "store/file_change.hpp"
#include "store/message_file.hpp"
#include "store/message_names.hpp"
#include "store/message_record.hpp"

#include "support/file_bytes.hpp"
#include "support/message_fixture.hpp"

#include <QtTest>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace lumivel;
using namespace lumivel::test;
namespace fs = std::filesystem;

class MessageFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    fs::path ruta(const char* nombre) const { return fs::path(dir_.path().toStdString()) / nombre; }

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
        const fs::path p = ruta("nuevo.men");
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
        const auto enCarpeta = f.open(ruta("no/hay/carpeta.men").string());
        QVERIFY(!enCarpeta.ok());
        QVERIFY(enCarpeta.error().describe().find(ruta("no/hay/carpeta.men").string() + ": ") == 0);
        QVERIFY(!enCarpeta.error().reason.empty());
        QVERIFY(!f.isOpen());
        tipomensaje m;
        QVERIFY(!f.read(1, m).ok());
        QVERIFY(!f.write(1, tipomensaje{}).ok());

        // Read-only access never creates or writes a file.
        QVERIFY(!f.open(ruta("no-existe.men").string(), MessageFile::Access::ReadOnly).ok());
        QVERIFY(!fs::exists(ruta("no-existe.men")));
        writeBytes(ruta("lectura.men"), std::string(137, 'a'));
        QVERIFY(f.open(ruta("lectura.men").string(), MessageFile::Access::ReadOnly).ok());
        QCOMPARE(f.count(), 1);
        QVERIFY(!f.write(1, texto(2, 3, "x")).ok());
        QCOMPARE(readBytes(ruta("lectura.men")), std::string(137, 'a'));

        if (geteuid() != 0) { // permissions do not bind the superuser
            fs::permissions(ruta("lectura.men"), fs::perms::owner_read);
            const auto protegido = f.open(ruta("lectura.men").string());
            QVERIFY(!protegido.ok());
            QVERIFY(!protegido.error().reason.empty());
        }
    }

    void outOfRangePositionsAreRefusedAndBufferKept() {
        const fs::path p = ruta("rango.men");
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
        const fs::path p = ruta("lleno.men");
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
        const fs::path p = ruta("corto.men");
        MessageFile f;
        QVERIFY(f.open(p.string()).ok());
        QVERIFY(f.write(1, texto(2, 3, "uno")).ok());
        rlimit antes{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &antes), 0);
        rlimit limite = antes;
        limite.rlim_cur = 137 + 50;
        const auto senal = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limite), 0);
        const auto error = f.write(2, texto(2, 3, "dos"));
        ::setrlimit(RLIMIT_FSIZE, &antes);
        std::signal(SIGXFSZ, senal);
        QVERIFY(!error.ok());
        QCOMPARE(error.error().path, p.string());
        QVERIFY(!error.error().reason.empty());
        QCOMPARE(fs::file_size(p), std::uintmax_t{137});
    }

    // Only regular files (or links to them) are message files; nothing blocks on a FIFO.
    void onlyRegularFilesOpen_data() {
        QTest::addColumn<QString>("clase");
        QTest::addColumn<bool>("admitido");
        QTest::newRow("fifo") << "fifo" << false;
        QTest::newRow("device") << "/dev/null" << false;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("link to a regular file") << "link" << true;
    }
    void onlyRegularFilesOpen() {
        QFETCH(QString, clase);
        QFETCH(bool, admitido);
        fs::path p = ruta(QTest::currentDataTag());
        if (clase == "fifo") {
            QCOMPARE(::mkfifo(p.c_str(), 0600), 0);
        } else if (clase == "folder") {
            fs::create_directory(p);
        } else if (clase == "link") {
            writeBytes(ruta("target.men"), registro(1, 1, 1, "x"));
            fs::create_symlink(ruta("target.men"), p);
        } else {
            p = clase.toStdString();
        }
        for (const auto access : {MessageFile::Access::ReadOnly, MessageFile::Access::ReadWrite}) {
            MessageFile f;
            const Result<void> opened = f.open(p.string(), access);
            QCOMPARE(opened.ok(), admitido);
            if (admitido) {
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
        const std::string p = ruta("shared.men").string();
        constexpr int kPorEscritor = 150;
        std::atomic<int> fallos{0};
        const auto escritor = [&p, &fallos](int marca) {
            MessageFile f;
            fallos += f.open(p).ok() ? 0 : 1;
            for (int i = 0; i < kPorEscritor; ++i) {
                FileLock lock(f);
                const int n = f.count() + 1;
                const tipomensaje m =
                    texto(1, 1, std::to_string(marca), '1', static_cast<std::int16_t>(n));
                fallos += lock.taken().ok() && f.write(n, m).ok() ? 0 : 1;
                if (marca == 1 && i % 50 == 0) {
                    // Same content, new file: the other writer must follow it.
                    std::vector<tipomensaje> todos(static_cast<std::size_t>(n));
                    for (int k = 1; k <= n; ++k) {
                        fallos += f.read(k, todos[static_cast<std::size_t>(k - 1)]).ok() ? 0 : 1;
                    }
                    fallos += f.replaceAll(todos).ok() ? 0 : 1;
                }
            }
        };
        std::thread otro(escritor, 2);
        escritor(1);
        otro.join();
        QCOMPARE(fallos.load(), 0);
        MessageFile f;
        QVERIFY(f.open(p, MessageFile::Access::ReadOnly).ok());
        QCOMPARE(f.count(), 2 * kPorEscritor);
        for (int k = 1; k <= f.count(); ++k) {
            tipomensaje m;
            QVERIFY(f.read(k, m).ok());
            QCOMPARE(int{m.numero}, k);
        }
    }

    // The replacement goes where a link points, keeps the permissions and a partial last
    // record, leaves no file beside it, and the object goes on with the new file.
    void replaceAllKeepsLinkModeAndTail() {
        const fs::path real = ruta("real.men");
        const fs::path enlace = ruta("enlace.men");
        writeBytes(real, registro(1, 1, 1, "a") + registro(2, 1, 1, "b") + "cola");
        const auto modo = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
        fs::permissions(real, modo);
        fs::create_symlink(real, enlace);
        const auto entradas = [this] {
            return std::distance(fs::directory_iterator(dir_.path().toStdString()),
                                 fs::directory_iterator());
        };
        const auto antes = entradas();
        MessageFile f;
        QVERIFY(f.open(enlace.string()).ok());
        QCOMPARE(f.trailingBytes(), 4L);
        QVERIFY(f.replaceAll({texto(3, 2, "c", '1', 1)}).ok());
        QVERIFY(fs::is_symlink(enlace));
        QCOMPARE(readBytes(real), registro(1, 3, 2, "c") + "cola");
        QCOMPARE(fs::status(real).permissions(), modo);
        QCOMPARE(entradas(), antes);
        QVERIFY(f.write(2, texto(1, 1, "d", '1', 2)).ok());
        QCOMPARE(readBytes(real).substr(137), registro(2, 1, 1, "d"));
    }

    // A step keeps only the bytes that differ, is recorded under one lock held across the
    // operation's own (and its rename), puts the file back exactly both ways, and refuses,
    // touching nothing, once the file holds anything else.
    void changesGoBackExactlyOrNotAtAll() {
        const fs::path p = ruta("pasos.men");
        const std::string a = registro(1, 2, 1, "a"), b = registro(2, 2, 1, "b");
        const std::string c = registro(3, 2, 1, "c");
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
        for (const std::string& ajeno : {registro(1, 2, 1, "z") + c, a + c + a}) {
            writeBytes(p, ajeno);
            const auto refused = applyChange(f, *step, ChangeDirection::Undo);
            QVERIFY(!refused.ok());
            QCOMPARE(refused.error().reason, std::string(kFileChangedElsewhere));
            QCOMPARE(readBytes(p), ajeno);
        }
        // Appending a copy of the last record: prefix and suffix never overlap.
        const std::vector<std::uint8_t> uno(a.begin(), a.end());
        std::vector<std::uint8_t> dos = uno;
        dos.insert(dos.end(), uno.begin(), uno.end());
        const auto anadido = describeChange(uno, dos);
        QVERIFY(anadido && anadido->before.empty() && anadido->after == uno);

        // Renumbering many records keeps their two changed bytes each, not the records.
        std::string antes, despues;
        for (std::int16_t n = 1; n <= 200; ++n) {
            antes += registro(n, 2, 1, "m");
            despues += registro(static_cast<std::int16_t>(n * 2), 2, 1, "m");
        }
        writeBytes(p, despues);
        const auto renumerado =
            describeChange({antes.begin(), antes.end()}, {despues.begin(), despues.end()});
        QVERIFY(renumerado && renumerado->before.size() <= 2 * 200);
        QVERIFY(applyChange(f, *renumerado, ChangeDirection::Undo).ok());
        QCOMPARE(readBytes(p), antes);
    }
};

QTEST_APPLESS_MAIN(MessageFileTest)
#include "test_message_file.moc"
