// SPDX-License-Identifier: GPL-3.0-or-later
// Message-file commands on a full file (32,767 records, 4.5 MB) against the same command on
// a 1,000-record file, and the rewrites against what any process must pay: starting, and
// writing the whole file once with fsync and rename. Each sample is a fresh process on a
// fresh copy of the file.
#include "bench/median.hpp"
#include "store/message_file.hpp"
#include "store/message_record.hpp"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kRuns = 9;
constexpr int kSmall = 1000;

std::string fileOf(int records) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(records) * lumivel::tipomensaje::kRecordLength);
    for (int k = 1; k <= records; ++k) {
        lumivel::tipomensaje m;
        m.numero = static_cast<std::int16_t>(k);
        m.presentacion = static_cast<std::int16_t>(1 + k % 3);
        m.letra = static_cast<std::int16_t>(1 + k % 4);
        m.texto = lumivel::recordText("Mensaje " + std::to_string(k));
        m.estado = '1';
        const lumivel::RecordBytes record = lumivel::encodeRecord(m);
        bytes.append(record.begin(), record.end());
    }
    return bytes;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Milliseconds from spawning the program to its exit with `code`; anything else is no sample.
bool timeRun(const std::vector<std::string>& args, std::vector<double>& samples, int code = 0) {
    std::vector<char*> argv{const_cast<char*>(LUMIVEL_PROGRAM)};
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = -1;
    int estado = 0;
    const bool ran =
        posix_spawn(&pid, LUMIVEL_PROGRAM, &actions, nullptr, argv.data(), environ) == 0 &&
        ::waitpid(pid, &estado, 0) == pid && WIFEXITED(estado) && WEXITSTATUS(estado) == code;
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    posix_spawn_file_actions_destroy(&actions);
    if (ran) {
        samples.push_back(ms);
    }
    return ran;
}

// The floor of any whole rewrite: the bytes to a new file, fsync, rename, the folder synced.
double rewriteOnce(const fs::path& target, const std::string& bytes) {
    QElapsedTimer timer;
    timer.start();
    const fs::path temporary = target.string() + ".nuevo";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    bool ok = fd >= 0 &&
              ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
              ::fsync(fd) == 0;
    ok = fd >= 0 && ::close(fd) == 0 && ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    const int dir = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    ok = ok && dir >= 0 && ::fsync(dir) == 0;
    if (dir >= 0) {
        ::close(dir);
    }
    return ok ? static_cast<double>(timer.nsecsElapsed()) / 1e6 : -1;
}

struct Case {
    const char* what;
    std::vector<std::string> args; // "F" stands for the file
    // check finds that so many messages do not fit the sign.
    int code = 0;
};

std::vector<std::string> withFile(const std::vector<std::string>& args, const fs::path& file) {
    std::vector<std::string> out = args;
    for (std::string& a : out) {
        if (a == "F") {
            a = file.string();
        }
    }
    return out;
}

} // namespace

int main() {
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    const fs::path work = folder / "mensajes.men";
    const std::string full = fileOf(lumivel::MessageFile::kMaxRecords);
    // One record short of full, so that add has room for its record.
    const std::string almostFull = fileOf(lumivel::MessageFile::kMaxRecords - 1);
    const std::string small = fileOf(kSmall);
    const std::string empty;

    const std::vector<Case> cases{
        {"add", {"add", "F", "Nuevo mensaje"}}, {"modify", {"modify", "F", "500", "Cambiado"}},
        {"delete", {"delete", "F", "500"}},     {"move", {"move", "F", "900", "1"}},
        {"check", {"check", "F"}, 1},           {"list", {"list", "F"}}};
    struct Figures {
        std::vector<double> full;
        std::vector<double> small;
    };
    std::vector<Figures> figures(cases.size());
    std::vector<double> start;
    std::vector<double> rewrite;
    bool failed = false;
    // Alternated, so that a busy moment of the machine weighs on every figure alike.
    for (int run = 0; run < kRuns; ++run) {
        writeFile(work, empty);
        failed |= !timeRun({"list", work.string()}, start);
        rewrite.push_back(rewriteOnce(work, full));
        failed |= rewrite.back() < 0;
        for (std::size_t c = 0; c < cases.size(); ++c) {
            const std::vector<std::string> args = withFile(cases[c].args, work);
            writeFile(work, c == 0 ? almostFull : full);
            failed |= !timeRun(args, figures[c].full, cases[c].code);
            writeFile(work, small);
            failed |= !timeRun(args, figures[c].small, cases[c].code);
        }
    }
    using lumivel::bench::median;
    const double rewriteFloor = median(start) + median(rewrite);
    for (std::size_t c = 0; c < cases.size(); ++c) {
        const double f = median(figures[c].full);
        const double s = median(figures[c].small);
        const std::string what = cases[c].what;
        const bool rewrites = what == "delete" || what == "move";
        const bool bounded = rewrites || what == "add" || what == "modify";
        char target[160];
        if (rewrites) {
            std::snprintf(target, sizeof target,
                          "within 2 x process start + one fsync'd rewrite (%.1f + %.1f ms); "
                          "measured %.2f x",
                          median(start), median(rewrite), f / rewriteFloor);
        } else if (bounded) {
            std::snprintf(target, sizeof target, "within 1.5 x the 1,000-record file");
        } else {
            std::snprintf(target, sizeof target, "none (for comparison)");
        }
        std::printf("| `%s` on a full file (%s records) | %.1f ms median of %zu; %.2f x the "
                    "1,000-record file (%.1f ms) | %s | `bench_store` |\n",
                    what.c_str(), what == "add" ? "32,766 + 1" : "32,767", f,
                    figures[c].full.size(), f / s, s, target);
        failed |= rewrites ? f > 2 * rewriteFloor : bounded && f > 1.5 * s;
    }
    return failed ? 1 : 0;
}
