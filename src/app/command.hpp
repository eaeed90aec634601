// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"
#include "display/dialogs.hpp"

#include <iosfwd>
#include <string>
#include <vector>

namespace lumivel::cli {

// Exit codes shared by every subcommand.
constexpr int kExitOk = 0;
constexpr int kExitMismatch = 1;
constexpr int kExitError = 2;

struct Streams {
    std::ostream& out;
    std::ostream& err;
    // `out` is a terminal, so redrawing in place with cursor codes is safe (main decides it
    // from the real stdout; tests and pipes get plain lines).
    bool terminal = false;
};

// A command's exit code, or the error that ended it: runCommandLine prints that on stderr
// as "simlumivel COMMAND: ..." and exits with kExitError.
using CommandFunction = Result<int> (*)(const std::vector<std::string>& args, Streams streams);

struct Command {
    const char* name;
    const char* usage; // one line, after "simlumivel "
    CommandFunction run;
};

// All subcommands, in the order --help lists them.
const std::vector<Command>& commands();

// Runs a command line (without the program name). Returns the exit code.
int runCommandLine(const std::vector<std::string>& args, Streams streams);

// A message box as the command line prints it: "title: text", the text's lines ending in
// LF alone.
std::string boxText(const MessageBoxSpec& box);

} // namespace lumivel::cli
