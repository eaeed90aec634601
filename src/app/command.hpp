#pragma once
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
};

using CommandFunction = int (*)(const std::vector<std::string>& args, Streams streams);

struct Command {
    const char* name;
    const char* usage; // one line, after "simlumivel "
    CommandFunction run;
};

// All subcommands, in the order --help lists them.
const std::vector<Command>& commands();

// Runs a command line (without the program name). Returns the exit code.
int runCommandLine(const std::vector<std::string>& args, Streams streams);

} // namespace lumivel::cli
