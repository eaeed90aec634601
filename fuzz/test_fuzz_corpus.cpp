// SPDX-License-Identifier: GPL-3.0-or-later
// Replays the fuzzing corpus, including every input that once found a fault, through the
// fuzz entry points: an input that breaks an invariant aborts this test.
#include "targets.hpp"

#include <QtTest>

#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Entry = void (*)(const std::uint8_t*, std::size_t);

std::vector<fs::path> corpusFiles(const char* target) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(LUMIVEL_FUZZ_CORPUS) / target, ec)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

void addRows(const char* target) {
    QTest::addColumn<QString>("path");
    for (const fs::path& file : corpusFiles(target)) {
        QTest::newRow(file.filename().c_str()) << QString::fromStdString(file.string());
    }
}

void replay(Entry entry) {
    QFETCH(QString, path);
    std::ifstream in(path.toStdString(), std::ios::binary);
    QVERIFY(in);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

class FuzzCorpusTest : public QObject {
    Q_OBJECT
  private slots:
    // An empty or misplaced corpus would make the replays below pass vacuously.
    void corpusIsPresent() {
        QVERIFY(corpusFiles("message_file").size() >= 5);
        QVERIFY(corpusFiles("sign_decoder").size() >= 5);
    }

    // Inputs that are not files at all still have to be accepted.
    void degenerateInputs() {
        const std::uint8_t bang[] = {'!'};
        lumivel::fuzz::runMessageFile(nullptr, 0);
        lumivel::fuzz::runSignDecoder(nullptr, 0);
        lumivel::fuzz::runMessageFile(bang, 1);
        lumivel::fuzz::runSignDecoder(bang, 1);
    }

    void messageFile_data() { addRows("message_file"); }
    void messageFile() { replay(&lumivel::fuzz::runMessageFile); }

    void signDecoder_data() { addRows("sign_decoder"); }
    void signDecoder() { replay(&lumivel::fuzz::runSignDecoder); }
};

QTEST_APPLESS_MAIN(FuzzCorpusTest)
#include "test_fuzz_corpus.moc"
