// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/web_page.hpp"

namespace lumivel {

std::string webPagePath(const std::string& programFolder) {
    return programFolder + "/" + kWebPage;
}

} // namespace lumivel
