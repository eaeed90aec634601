#pragma once
#include "app/command.hpp"

namespace lumivel::cli {

Result<int> importCommand(const std::vector<std::string>& args, Streams streams);

} // namespace lumivel::cli
