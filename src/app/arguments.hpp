// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace lumivel::cli {

struct OptionRule {
    std::string name; // without the leading "--"
    bool takesValue = false;
};

// Options may stand before or after the other arguments, up to "--"; after it every
// argument is positional. "--name value" and "--name=value" both work.
struct Arguments {
    std::map<std::string, std::string> values;
    // Every value of an option given more than once, in order; `values` keeps the last.
    std::map<std::string, std::vector<std::string>> repeated;
    std::set<std::string> flags;
    std::vector<std::string> positional;

    bool has(const std::string& flag) const { return flags.count(flag) != 0; }
    std::optional<std::string> value(const std::string& name) const;
};

// Throws UsageError on an unknown option or a missing value.
Arguments parseArguments(const std::vector<std::string>& args,
                         const std::vector<OptionRule>& rules);

struct UsageError {
    std::string message;
};

} // namespace lumivel::cli
