// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace lumivel {

// The folder of the skins and the local web page, without a trailing separator:
// `executableFolder` itself when they are there (the build tree), else the installed data
// folder, reached from the executable's folder so a moved installation still finds it.
std::string dataFolder(const std::string& executableFolder);

// dataFolder() of the running program.
std::string programDataFolder();

} // namespace lumivel
