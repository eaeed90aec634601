// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/command_line.hpp"
#include "support/file_bytes.hpp"
#include "support/message_fixture.hpp"

#include <QtTest>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

using namespace lumivel;
using namespace lumivel::test;
namespace fs = std::filesystem;

namespace {

// The executable with files limited to `limit` bytes and the limit's signal as a shell
// leaves it, so that nothing inherited from the test hides the program's own handling.
Output runLimited(const QStringList& args, rlim_t limit) {
    return run(args, {}, program(), [limit] {
        const rlimit fileSize{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
        std::signal(SIGXFSZ, SIG_DFL);
    });
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

class FileLimitsTest : public QObject {
    Q_OBJECT

  private slots:
    // Past the limit every change fails as on a full disk: a reason, exit 2, the file as it
    // was (an append that got part of a record out is cut back) and nothing left beside it.
    void changesPastTheLimitLeaveTheFileAsItWas_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("room");
        // Room for part of one more record, so an append is cut short inside it.
        QTest::newRow("add") << QStringList{"add", "F", "cuatro"} << 50;
        QTest::newRow("duplicate") << QStringList{"duplicate", "F", "1"} << 50;
        // Less than the file itself, so the rewritten copy cannot be finished.
        QTest::newRow("delete") << QStringList{"delete", "F", "2"} << -100;
        QTest::newRow("move") << QStringList{"move", "F", "3", "1"} << -100;
    }
    void changesPastTheLimitLeaveTheFileAsItWas() {
        QFETCH(QStringList, args);
        QFETCH(int, room);
        QTemporaryDir dir;
        const fs::path file = fs::path(dir.path().toStdString()) / "limite.men";
        const std::string before = record(1, texto(1, 1, "uno")) + record(2, texto(2, 3, "dos")) +
                                   record(3, image(samplePicture())) + std::string(5, 'x');
        writeBytes(file, before);
        args.replace(1, QString::fromStdString(file.string()));

        const Output run = runLimited(args, static_cast<rlim_t>(std::ssize(before) + room));
        QCOMPARE(run.code, 2);
        QVERIFY2(run.err.find("el archivo superaría el tamaño máximo permitido") !=
                     std::string::npos,
                 run.err.c_str());
        QVERIFY(readBytes(file) == before);
        QCOMPARE(namesIn(file.parent_path()), std::vector<std::string>{"limite.men"});
    }

    // A temporary copy a killed run left is removed by the next change of that file; files
    // of other shapes or other message files stay.
    void nextChangeRemovesLeftoverTemporaries() {
        QTemporaryDir dir;
        const fs::path folder = dir.path().toStdString();
        const std::vector<std::string> kept{".limite.men.notas.tmp",
                                            ".otro.men.0123456789abcdef.tmp", "limite.men"};
        for (const std::string& name : kept) {
            writeBytes(folder / name, "");
        }
        writeBytes(folder / ".limite.men.0123456789abcdef.tmp", "a medio escribir");
        QCOMPARE(runCli({"list", (folder / "limite.men").string()}).code, 0);
        QCOMPARE(namesIn(folder).size(), kept.size() + 1);
        QCOMPARE(runCli({"add", (folder / "limite.men").string(), "uno"}).code, 0);
        QCOMPARE(namesIn(folder), kept);
    }
};

QTEST_GUILESS_MAIN(FileLimitsTest)
#include "test_file_limits.moc"
