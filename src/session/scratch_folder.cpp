// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/scratch_folder.hpp"

#include "base/system_reason.hpp"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumivel {
namespace fs = std::filesystem;

namespace {

std::string home() {
    if (const char* h = std::getenv("HOME"); h != nullptr && h[0] == '/') {
        return h;
    }
    const passwd* entry = getpwuid(geteuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

// Creates `folder` and any missing parent with mode 0700.
Result<void> makeFolder(const fs::path& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        return S_ISDIR(st.st_mode) ? Result<void>{} : Error{systemReason(ENOTDIR), folder.string()};
    }
    if (folder.has_parent_path() && folder.parent_path() != folder) {
        LUMIVEL_TRY_VOID(makeFolder(folder.parent_path()));
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return Error{systemReason(errno), folder.string()};
    }
    return {};
}

} // namespace

Result<std::string> scratchFolder() {
    fs::path base;
    // Relative values are to be ignored, as the XDG base directory rules say.
    if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && state[0] == '/') {
        base = state;
    } else {
        const std::string h = home();
        if (h.empty()) {
            return Error{"no se conoce la carpeta personal del usuario"};
        }
        base = fs::path(h) / ".local" / "state";
    }
    const fs::path folder = base / "simlumivel";
    LUMIVEL_TRY_VOID(makeFolder(folder));
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        return Error{systemReason(errno), folder.string()};
    }
    if (st.st_uid != ::geteuid()) {
        return Error{"la carpeta pertenece a otro usuario", folder.string()};
    }
    return folder.string();
}

} // namespace lumivel
