#pragma once
#include <string>

namespace lumivel {

// The program's local web page, shipped in the "web" folder next to the executable.
inline constexpr const char* kPaginaWeb = "web/simlumivel.html";

std::string rutaPaginaWeb(const std::string& carpetaPrograma);

} // namespace lumivel
