// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the command line in-process, or the built executable (named by $SIMLUMIVEL).
#include "app/command.hpp"

#include <QProcess>
#include <QStringList>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace lumivel::test {

struct Output {
    int code = -1;
    std::string out;
    std::string err;
};

inline Output runCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    Output s;
    s.code = cli::runCommandLine(args, {out, err});
    s.out = out.str();
    s.err = err.str();
    return s;
}

inline Output runList(const QStringList& args) {
    std::vector<std::string> argv;
    for (const QString& a : args) {
        argv.push_back(a.toStdString());
    }
    return runCli(argv);
}

inline QString program() {
    return qEnvironmentVariable("SIMLUMIVEL");
}

// The executable in its own process; code -1 when it does not finish in time.
// `childSetup` runs in the child before the program starts (limits, signals).
inline Output run(const QStringList& args, const QString& folder = {},
                  const QString& executable = program(),
                  const std::function<void()>& childSetup = {}) {
    QProcess p;
    p.setWorkingDirectory(folder);
    if (childSetup) {
        p.setChildProcessModifier(childSetup);
    }
    p.start(executable, args);
    Output s;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return s;
    }
    s.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    s.out = p.readAllStandardOutput().toStdString();
    s.err = p.readAllStandardError().toStdString();
    return s;
}

} // namespace lumivel::test
