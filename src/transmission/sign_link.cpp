#include "transmission/sign_link.hpp"

#include <algorithm>

namespace lumivel {
namespace {

// Lines separated by CR LF, without a final line break.
std::string unirLineas(std::initializer_list<std::string> lineas) {
    std::string texto;
    bool primera = true;
    for (const std::string& linea : lineas) {
        if (!primera) {
            texto += "\r\n";
        }
        texto += linea;
        primera = false;
    }
    return texto;
}

// The device is named by the box itself.
std::string reasonOf(const ResultadoEnvio& resultado) {
    return resultado.error ? resultado.error->reason : std::string();
}

std::string byteComoTexto(int valor) {
    return std::string(1, static_cast<char>(static_cast<unsigned char>(valor & 0xFF)));
}

// Counts unanswered exchanges in a row, so a sign that went quiet ends the transfer.
class Enlace {
  public:
    Enlace(Port& puerto, int esperaMs) : puerto_(puerto), esperaMs_(esperaMs) {}

    Recibido intercambiar(int valor) {
        Recibido respuesta = enviar(puerto_, byteComoTexto(valor), esperaMs_);
        silencios_ = respuesta.agotado ? silencios_ + 1 : 0;
        return respuesta;
    }
    bool mudo() const { return silencios_ >= kSilenciosSeguidos; }
    bool perdido() const { return puerto_.fallo().has_value(); }

  private:
    Port& puerto_;
    int esperaMs_;
    int silencios_ = 0;
};

} // namespace

Result<void> escribir(Port& puerto, std::string_view valor) {
    return puerto.escribir(valor);
}

Recibido recibir(Port& puerto, int esperaMs) {
    // Waits on the port's input instead of polling: returns as soon as bytes arrive.
    std::string resultado = puerto.esperarBytes(esperaMs);
    if (resultado.empty()) {
        return {"Error", true};
    }
    return {std::move(resultado), false};
}

Recibido enviar(Port& puerto, std::string_view valor, int esperaMs) {
    if (!escribir(puerto, valor).ok()) {
        return {"Error", true};
    }
    return recibir(puerto, esperaMs);
}

ResultadoTransmision transmitir(Port& puerto, const ImagenTransmision& imagen, int totaldatos,
                                ObservadorEnvio& observador, int esperaMs) {
    ResultadoTransmision resultado;
    // Never read past the image, whatever totaldatos says.
    const int ultimo = std::min(totaldatos, ImagenTransmision::kLastIndex);
    resultado.bytesImagen = ultimo + 1;
    observador.maximo(totaldatos);
    Enlace enlace(puerto, esperaMs);
    int bloque = 0;
    int enBloque = 0;
    bool cabeceraPendiente = true;
    for (int i = 0; i <= ultimo; ++i) {
        if (observador.interrumpir()) {
            resultado.interrumpida = true;
            break;
        }
        if (cabeceraPendiente) {
            for (const std::uint8_t valor : blockHeader(bloque)) {
                enlace.intercambiar(valor);
                if (enlace.perdido() || enlace.mudo()) {
                    break;
                }
            }
        }
        cabeceraPendiente = false;
        if (enlace.perdido() || enlace.mudo()) {
            break;
        }
        const int dato = imagen.datos[static_cast<std::size_t>(i)] & 0xFF;
        const Recibido eco = enlace.intercambiar(dato);
        ++resultado.enviados;
        // A time-out never verifies a byte, even one of the same code as the "E" of "Error".
        const bool igual = !eco.agotado && static_cast<unsigned char>(eco.texto.front()) == dato;
        if (igual) {
            ++resultado.verificados;
        } else if (!resultado.huboError) {
            resultado.huboError = true;
            resultado.primerError = i;
            observador.errorDeDatos();
        }
        if (++enBloque == kBytesPorBloque) {
            enBloque = 0;
            cabeceraPendiente = true;
            ++bloque;
        }
        observador.progreso(i);
        if (enlace.perdido() || enlace.mudo()) {
            break;
        }
    }
    resultado.falloPuerto = puerto.fallo();
    resultado.signoMudo = !resultado.falloPuerto && enlace.mudo();
    return resultado;
}

std::optional<ResultadoEnvio> refusal(const ResultadoCarga& carga) {
    ResultadoEnvio resultado;
    switch (carga.estado) {
    case EstadoImagen::Lista:
        return std::nullopt;
    case EstadoImagen::NadaQueEnviar:
        resultado.desenlace = Desenlace::NadaQueEnviar;
        break;
    case EstadoImagen::Excede:
        resultado.desenlace = Desenlace::Excede;
        break;
    case EstadoImagen::ErrorLectura:
        resultado.desenlace = Desenlace::ErrorLectura;
        resultado.error = carga.error;
        break;
    }
    return resultado;
}

ResultadoEnvio enviarImagen(Port& puerto, const ResultadoCarga& carga,
                            const ImagenTransmision& imagen, int totaldatos,
                            ObservadorEnvio& observador, int esperaMs) {
    if (std::optional<ResultadoEnvio> refused = refusal(carga)) {
        return *refused;
    }
    ResultadoEnvio resultado;
    if (Result<void> opened = puerto.abrir(); !opened.ok()) {
        resultado.desenlace = Desenlace::PuertoNoAbre;
        resultado.error = opened.error();
        return resultado;
    }
    // Stale input would be taken for the answer to the request and shift every echo after it.
    puerto.descartarEntrada();
    const std::string request(1, static_cast<char>(kConnectionRequest));
    const Recibido respuesta = enviar(puerto, request, esperaMs);
    if (puerto.fallo()) {
        resultado.desenlace = Desenlace::PuertoPerdido;
        resultado.error = puerto.fallo();
    } else if (respuesta.agotado || respuesta.texto != request) {
        resultado.desenlace = Desenlace::SinConexion;
    } else {
        observador.conectado();
        resultado.transmision = transmitir(puerto, imagen, totaldatos, observador, esperaMs);
        const ResultadoTransmision& t = resultado.transmision;
        if (t.falloPuerto) {
            resultado.desenlace = Desenlace::PuertoPerdido;
            resultado.error = t.falloPuerto;
        } else if (t.interrumpida) {
            resultado.desenlace = Desenlace::Interrumpido;
        } else if (t.signoMudo) {
            resultado.desenlace = Desenlace::SignoMudo;
        } else {
            resultado.desenlace = t.huboError ? Desenlace::ConErrores : Desenlace::Verificado;
        }
    }
    puerto.cerrar();
    return resultado;
}

CajaMensaje cajaSinConexion() {
    CajaMensaje caja;
    caja.titulo = "¡¡¡¡ Error en la Comunicacion !!!";
    caja.icono = Icono::Critico;
    caja.texto = unirLineas({
        "No se ha podido conectar con el Lumivel Electronico, las causas pueden ser las "
        "siquientes:",
        "",
        "                - El cable de coneccion este dañado o no este bien colocado ",
        "                - El Puerto Comm Seleccionado  no sea el indicado para las comunicaciones",
        "                - El tablero este ocupado para responder en este momento ",
        "                - El tablero deve estar encendido  si no lo esta enciendalo primero",
        "                - Prueve con apagarlo y volverlo a encender",
        "                - En caso que el problema persista contactese con nosotros a nuestra WEB",
        "",
        "                          D I S C U L P E      P O R     L A S     M O L E S T I A S",
    });
    return caja;
}

CajaMensaje cajaErrorDeDatos() {
    CajaMensaje caja;
    caja.titulo = "Error en la TX y RX de datos";
    caja.icono = Icono::Exclamacion;
    caja.texto = unirLineas({
        "Los datos que se han enviado no son los mismos que han",
        "sido recepcionados por el dispositivo",
        "Se recomienda volver a realizar la misma operacion al cabo",
        "de concluida esta, ya que los datos no son fiables",
    });
    return caja;
}

std::optional<CajaMensaje> cajaDesenlace(const ResultadoEnvio& resultado,
                                         const ResultadoCarga& carga,
                                         const std::string& nombrePuerto) {
    CajaMensaje caja;
    caja.titulo = "Comunicacion Serial";
    caja.icono = Icono::Exclamacion;
    switch (resultado.desenlace) {
    case Desenlace::Verificado:
    case Desenlace::ConErrores:
    case Desenlace::Interrumpido:
        return std::nullopt;
    case Desenlace::SinConexion:
        return cajaSinConexion();
    case Desenlace::NadaQueEnviar:
        caja.icono = Icono::Informacion;
        caja.texto = unirLineas({
            "No hay mensajes para enviar al Lumivel.",
            "Abra un archivo de mensajes que tenga al menos un mensaje y vuelva a abrir "
            "esta ventana.",
        });
        return caja;
    case Desenlace::Excede:
        caja.texto = unirLineas({
            ("Los mensajes ocupan " + std::to_string(carga.bytesNecesarios) +
             " bytes y el Lumivel solo admite " + std::to_string(ImagenTransmision::kCapacidad) +
             "."),
            "No se ha enviado nada. Elimine o acorte algunos mensajes y vuelva a abrir esta "
            "ventana.",
        });
        return caja;
    case Desenlace::ErrorLectura:
        caja.icono = Icono::Critico;
        caja.texto = unirLineas({
            "No se pudo leer el archivo de mensajes; no se ha enviado nada.",
            resultado.error ? resultado.error->describe() : std::string(),
        });
        return caja;
    case Desenlace::PuertoNoAbre:
        caja.titulo = "¡¡¡¡ Error en la Comunicacion !!!";
        caja.icono = Icono::Critico;
        caja.texto = unirLineas({
            ("No se pudo abrir el puerto " + nombrePuerto + ": " + reasonOf(resultado)),
            "No se ha enviado nada.",
        });
        return caja;
    case Desenlace::SignoMudo: {
        const ResultadoTransmision& t = resultado.transmision;
        caja.titulo = "¡¡¡¡ Error en la Comunicacion !!!";
        caja.icono = Icono::Critico;
        caja.texto = unirLineas({
            "El Lumivel Electronico ha dejado de responder durante la transmision.",
            ("Se verificaron " + std::to_string(t.verificados) + " de " +
             std::to_string(t.bytesImagen) + " bytes; la transmision se ha detenido."),
            "Revise el tablero y el cable y vuelva a realizar la operacion.",
        });
        return caja;
    }
    case Desenlace::PuertoPerdido: {
        const ResultadoTransmision& t = resultado.transmision;
        caja.titulo = "¡¡¡¡ Error en la Comunicacion !!!";
        caja.icono = Icono::Critico;
        caja.texto = unirLineas({
            ("Se perdio el puerto " + nombrePuerto + ": " + reasonOf(resultado)),
            ("Se verificaron " + std::to_string(t.verificados) + " de " +
             std::to_string(t.bytesImagen) + " bytes; la transmision se ha detenido."),
        });
        return caja;
    }
    }
    return std::nullopt;
}

} // namespace lumivel
