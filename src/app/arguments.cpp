// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/arguments.hpp"

#include <algorithm>

namespace lumivel::cli {

std::optional<std::string> Arguments::value(const std::string& name) const {
    const auto found = values.find(name);
    if (found == values.end()) {
        return std::nullopt;
    }
    return found->second;
}

Arguments parseArguments(const std::vector<std::string>& args,
                         const std::vector<OptionRule>& rules) {
    Arguments parsed;
    bool onlyPositional = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyPositional || arg.size() < 2 || arg.rfind("--", 0) != 0) {
            if (!onlyPositional && arg.size() > 1 && arg[0] == '-' && arg != "-") {
                throw UsageError{"opción desconocida: " + arg};
            }
            parsed.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyPositional = true;
            continue;
        }
        std::string name = arg.substr(2);
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const auto rule = std::find_if(rules.begin(), rules.end(),
                                       [&](const OptionRule& r) { return r.name == name; });
        if (rule == rules.end()) {
            throw UsageError{"opción desconocida: --" + name};
        }
        if (!rule->takesValue) {
            if (inlineValue) {
                throw UsageError{"la opción --" + name + " no lleva valor"};
            }
            parsed.flags.insert(name);
            continue;
        }
        if (inlineValue) {
            parsed.values[name] = *inlineValue;
        } else if (i + 1 < args.size()) {
            parsed.values[name] = args[++i];
        } else {
            throw UsageError{"falta el valor de --" + name};
        }
        parsed.repeated[name].push_back(parsed.values[name]);
    }
    return parsed;
}

} // namespace lumivel::cli
