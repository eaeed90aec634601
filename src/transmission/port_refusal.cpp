// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/port_refusal.hpp"

#include "base/system_reason.hpp"

#include <cerrno>

#if defined(__unix__) || defined(__APPLE__)
#include <climits>
#include <cstdlib>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lumivel {

DeviceAccess deviceAccess(const std::string& device) {
    DeviceAccess info;
#if defined(__unix__) || defined(__APPLE__)
    char path[PATH_MAX];
    if (::realpath(device.c_str(), path) == nullptr) {
        return info;
    }
    info.accessible = ::access(path, R_OK | W_OK) == 0;
    struct stat estado {};
    if (::stat(path, &estado) == 0) {
        if (const group* group = ::getgrgid(estado.st_gid)) {
            info.group = group->gr_name;
        }
    }
#else
    (void)device;
#endif
    return info;
}

std::string devicePath(const std::string& device) {
    return device.find('/') == std::string::npos ? "/dev/" + device : device;
}

std::string refusalReason(PortRefusal reason, const DeviceAccess& access) {
    switch (reason) {
    case PortRefusal::NotFound:
        return "el dispositivo no existe";
    case PortRefusal::Denied:
        if (access.accessible) {
            return "el puerto está en uso por otro programa";
        }
        // Joining "root" is no advice: only an administrator can open such a device.
        if (access.group.empty() || access.group == "root") {
            return "permiso denegado";
        }
        return "permiso denegado (su usuario debe pertenecer al grupo \"" + access.group +
               "\"; tras agregarlo vuelva a iniciar la sesión)";
    case PortRefusal::NotSerial:
        return systemReason(ENOTTY);
    }
    return {};
}

} // namespace lumivel
