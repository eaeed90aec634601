// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/system_reason.hpp"

#include <cerrno>

namespace lumivel {

std::string systemReason(int error) {
    switch (error) {
    case ENOSPC:
        return "no queda espacio en el disco";
    case EFBIG:
        return "el archivo superaría el tamaño máximo permitido";
    case EDQUOT:
        return "se ha agotado la cuota de disco";
    case EACCES:
        return "permiso denegado";
    case EPERM:
        return "operación no permitida";
    case EROFS:
        return "el sistema de archivos es de solo lectura";
    case ENOENT:
        return "no existe el archivo o la carpeta";
    case EISDIR:
        return "es una carpeta";
    case ENOTDIR:
        return "una parte de la ruta no es una carpeta";
    case ENOTTY:
        return "no es un puerto serie";
    case EBUSY:
        return "el dispositivo o el recurso está ocupado";
    case EIO:
        return "error de entrada/salida del dispositivo";
    case ELOOP:
        return "demasiados enlaces simbólicos en la ruta";
    case ENAMETOOLONG:
        return "el nombre del archivo es demasiado largo";
    case EEXIST:
        return "el archivo ya existe";
    case EMFILE:
    case ENFILE:
        return "hay demasiados archivos abiertos";
    case ENXIO:
    case ENODEV:
        return "no existe el dispositivo";
    case EAGAIN:
        return "el recurso no está disponible por ahora";
    case EINVAL:
        return "argumento no válido";
    case ENOMEM:
        return "no queda memoria";
    case EINTR:
        return "la operación fue interrumpida";
    case EPIPE:
    case ECONNRESET:
        return "el otro extremo cerró la conexión";
    case EXDEV:
        return "no se puede mover entre sistemas de archivos distintos";
    case ETXTBSY:
        return "el archivo está en uso";
    case ETIMEDOUT:
        return "se agotó el tiempo de espera";
    default:
        return "error del sistema número " + std::to_string(error);
    }
}

} // namespace lumivel
