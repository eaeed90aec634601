#include "transmission/port_refusal.hpp"

#if defined(__unix__) || defined(__APPLE__)
#include <climits>
#include <cstdlib>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lumivel {

DeviceAccess deviceAccess(const std::string& dispositivo) {
    DeviceAccess datos;
#if defined(__unix__) || defined(__APPLE__)
    char ruta[PATH_MAX];
    if (::realpath(dispositivo.c_str(), ruta) == nullptr) {
        return datos;
    }
    datos.accesible = ::access(ruta, R_OK | W_OK) == 0;
    struct stat estado {};
    if (::stat(ruta, &estado) == 0) {
        if (const group* grupo = ::getgrgid(estado.st_gid)) {
            datos.grupo = grupo->gr_name;
        }
    }
#else
    (void)dispositivo;
#endif
    return datos;
}

std::string refusalReason(PortRefusal motivo, const DeviceAccess& acceso) {
    switch (motivo) {
    case PortRefusal::NotFound:
        return "el dispositivo no existe";
    case PortRefusal::Denied:
        if (acceso.accesible) {
            return "el puerto está en uso por otro programa";
        }
        // Joining "root" is no advice: only an administrator can open such a device.
        if (acceso.grupo.empty() || acceso.grupo == "root") {
            return "permiso denegado";
        }
        return "permiso denegado (su usuario debe pertenecer al grupo \"" + acceso.grupo +
               "\"; tras agregarlo vuelva a iniciar la sesión)";
    case PortRefusal::AlreadyOpen:
        return "el puerto ya esta abierto";
    }
    return {};
}

} // namespace lumivel
