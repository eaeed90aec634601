#include "session/file_choice.hpp"

#include "display/composition.hpp"
#include "session/message_list.hpp"

#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

namespace lumivel {
namespace fs = std::filesystem;

namespace {

constexpr const char* kFiltroAbrir = "Mensajes del Lumivel (*.men)";
constexpr const char* kFiltroGuardar = "mensajes del lumivel (*.men)";
constexpr const char* kSufijo = "men";

std::string sufijoAleatorio() {
    static std::mt19937 generador{std::random_device{}()};
    char texto[16];
    std::snprintf(texto, sizeof texto, "%08x", static_cast<unsigned>(generador()));
    return texto;
}

// A name in `carpeta` that nothing uses yet.
fs::path nombreLibre(const fs::path& carpeta, const std::string& prefijo,
                     const std::string& sufijo) {
    for (;;) {
        fs::path candidato = carpeta / (prefijo + sufijoAleatorio() + sufijo);
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidato, ec))) {
            return candidato;
        }
    }
}

// A scratch file that never received a message is of no use to anyone.
void descartarTemporalVacio(Lumivel& l) {
    if (l.archivoTemporal && l.totalmensajes == 0 && l.archivo.isOpen()) {
        const std::string ruta = l.archivo.path();
        l.archivo.close();
        std::error_code ignored;
        fs::remove(ruta, ignored);
    }
}

// Asks the one question that keeps messages living only in a scratch file from being
// left behind. False: the user chose to stay where they are.
bool dejarTemporal(Lumivel& l, Dialogs& d) {
    if (!l.archivoTemporal || !l.archivo.isOpen() || l.totalmensajes == 0) {
        return true;
    }
    CajaMensaje caja;
    caja.titulo = "Mensajes sin guardar";
    caja.texto = "Los mensajes solo están en un archivo temporal.\r\n"
                 "¿Desea guardarlos en un archivo antes?";
    caja.botones = Botones::SiNoCancelar;
    caja.icono = Icono::Pregunta;
    caja.porDefecto = Respuesta::Si;
    switch (d.mensaje(caja)) {
    case Respuesta::Si:
        return guardar_Click(l, d);
    case Respuesta::No:
        return true;
    default:
        return false;
    }
}

std::optional<FileError> crearVacio(const fs::path& ruta) {
    errno = 0;
    std::FILE* archivo = std::fopen(ruta.c_str(), "wbx");
    if (archivo == nullptr) {
        const int error = errno;
        return FileError{ruta.string(), std::generic_category().message(error)};
    }
    std::fclose(archivo);
    return std::nullopt;
}

} // namespace

std::optional<FileError> abrirArchivoMensajes(Lumivel& l, const std::string& path) {
    {
        // Try the new file on its own first, so a failure leaves the open one in use.
        MessageFile prueba;
        if (auto error = prueba.open(path)) {
            return error;
        }
        if (prueba.count() > MessageFile::kMaxRecords) {
            return FileError{path, "tiene mas de " + std::to_string(MessageFile::kMaxRecords) +
                                       " registros; no es un archivo de mensajes"};
        }
    }
    const std::string anterior = l.archivo.path();
    if (auto error = l.archivo.open(path)) {
        if (!anterior.empty()) {
            (void)l.archivo.open(anterior);
        }
        return error;
    }
    l.archivoTemporal = false;
    l.totalmensajes = 1;
    return llenarlista(l);
}

std::optional<FileError> abrirArchivoTemporal(Lumivel& l, const std::string& carpeta) {
    std::error_code ec;
    fs::path destino = carpeta.empty() ? fs::temp_directory_path(ec) : fs::path(carpeta);
    if (ec) {
        return FileError{carpeta, ec.message()};
    }
    const fs::path ruta = nombreLibre(destino, "simlumivel-", ".men");
    descartarTemporalVacio(l);
    if (auto error = abrirArchivoMensajes(l, ruta.string())) {
        return error;
    }
    l.archivoTemporal = true;
    return std::nullopt;
}

std::optional<FileError> guardarComo(Lumivel& l, const std::string& destino) {
    std::error_code ec;
    if (l.archivo.isOpen() && fs::equivalent(destino, l.archivo.path(), ec) && !ec) {
        // Saving under the open file's own name: it already holds every message.
        l.archivoTemporal = false;
        l.totalmensajes = 1;
        return llenarlista(l);
    }
    if (fs::is_directory(destino, ec)) {
        return FileError{destino, std::make_error_code(std::errc::is_a_directory).message()};
    }

    // Copy beside the destination and rename over it, so a failed copy (disk full) never
    // leaves a partial file in place of the one that was there.
    const fs::path final = fs::path(destino);
    const fs::path carpeta = final.has_parent_path() ? final.parent_path() : fs::path(".");
    const fs::path provisional =
        nombreLibre(carpeta, "." + final.filename().string() + ".", ".tmp");
    std::optional<FileError> error;
    if (l.archivo.isOpen()) {
        fs::copy_file(l.archivo.path(), provisional, ec);
        if (ec) {
            error = FileError{destino, ec.message()};
        }
    } else {
        error = crearVacio(provisional);
        if (error) {
            error->path = destino;
        }
    }
    if (!error) {
        fs::rename(provisional, final, ec);
        if (ec) {
            error = FileError{destino, ec.message()};
        }
    }
    if (error) {
        std::error_code ignored;
        fs::remove(provisional, ignored);
        return error;
    }

    const bool eraTemporal = l.archivoTemporal;
    const std::string anterior = l.archivo.path();
    if (auto fallo = abrirArchivoMensajes(l, destino)) {
        return fallo;
    }
    if (eraTemporal && !anterior.empty()) {
        // The scratch file's messages now live under the chosen name.
        std::error_code ignored;
        fs::remove(anterior, ignored);
    }
    return std::nullopt;
}

void abrir_Click(Lumivel& l, Dialogs& d) {
    OpcionesArchivo opciones;
    opciones.filtros = {kFiltroAbrir};
    opciones.sufijoPorDefecto = kSufijo;
    const auto ruta = d.abrirArchivo(opciones);
    if (!ruta || ruta->empty()) {
        return;
    }
    if (!dejarTemporal(l, d)) {
        return;
    }
    descartarTemporalVacio(l);
    if (auto error = abrirArchivoMensajes(l, *ruta)) {
        mostrarErrorArchivo(d, "No se pudo abrir el archivo de mensajes.", *error);
        return;
    }
    cambiarTexto(l, "");
}

bool guardar_Click(Lumivel& l, Dialogs& d) {
    OpcionesArchivo opciones;
    opciones.filtros = {kFiltroGuardar};
    opciones.sufijoPorDefecto = kSufijo;
    const auto ruta = d.guardarArchivo(opciones);
    if (!ruta || ruta->empty()) {
        return false;
    }
    std::error_code ec;
    if (fs::exists(*ruta, ec)) {
        CajaMensaje caja;
        caja.texto = "Sobreescribir el archivo existente?";
        caja.botones = Botones::SiNo;
        caja.icono = Icono::Pregunta;
        caja.porDefecto = Respuesta::No;
        if (d.mensaje(caja) != Respuesta::Si) {
            return false;
        }
    }
    if (auto error = guardarComo(l, *ruta)) {
        mostrarErrorArchivo(d, "No se pudo guardar el archivo de mensajes.", *error);
        return false;
    }
    return true;
}

void nuevo_Click(Lumivel& l, Dialogs& d) {
    if (!dejarTemporal(l, d)) {
        return;
    }
    if (auto error = abrirArchivoTemporal(l)) {
        mostrarErrorArchivo(d, "No se pudo crear un archivo temporal para los mensajes.", *error);
        return;
    }
    cambiarTexto(l, "");
    l.sign.borrar();
    l.sign.mostrar();
}

bool confirmarSalida(Lumivel& l, Dialogs& d) {
    if (!dejarTemporal(l, d)) {
        return false;
    }
    descartarTemporalVacio(l);
    l.archivo.close();
    return true;
}

} // namespace lumivel
