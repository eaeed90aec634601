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
std::string reasonOf(const SendResult& resultado) {
    return resultado.error ? resultado.error->reason : std::string();
}

std::string byteAsText(int valor) {
    return std::string(1, static_cast<char>(static_cast<unsigned char>(valor & 0xFF)));
}

// Counts unanswered exchanges in a row, so a sign that went quiet ends the transfer.
class Enlace {
  public:
    Enlace(Port& puerto, int esperaMs) : port_(puerto), replyTimeoutMs_(esperaMs) {}

    Received intercambiar(int valor) {
        Received respuesta = enviar(port_, byteAsText(valor), replyTimeoutMs_);
        silences_ = respuesta.timedOut ? silences_ + 1 : 0;
        return respuesta;
    }
    bool mudo() const { return silences_ >= kSilencesInARow; }
    bool perdido() const { return port_.fallo().has_value(); }

  private:
    Port& port_;
    int replyTimeoutMs_;
    int silences_ = 0;
};

} // namespace

Result<void> escribir(Port& puerto, std::string_view valor) {
    return puerto.escribir(valor);
}

Received recibir(Port& puerto, int esperaMs) {
    // Waits on the port's input instead of polling: returns as soon as bytes arrive.
    std::string resultado = puerto.waitForBytes(esperaMs);
    if (resultado.empty()) {
        return {"Error", true};
    }
    return {std::move(resultado), false};
}

Received enviar(Port& puerto, std::string_view valor, int esperaMs) {
    if (!escribir(puerto, valor).ok()) {
        return {"Error", true};
    }
    return recibir(puerto, esperaMs);
}

TransferResult transmitir(Port& puerto, const TransmissionImage& imagen, int totaldatos,
                          TransferObserver& observador, int esperaMs) {
    TransferResult resultado;
    // Never read past the image, whatever totaldatos says.
    const int ultimo = std::min(totaldatos, TransmissionImage::kLastIndex);
    resultado.imageBytes = ultimo + 1;
    observador.setMaximum(totaldatos);
    Enlace enlace(puerto, esperaMs);
    int bloque = 0;
    int inBlock = 0;
    bool cabeceraPendiente = true;
    for (int i = 0; i <= ultimo; ++i) {
        if (observador.shouldStop()) {
            resultado.stopped = true;
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
        const Received eco = enlace.intercambiar(dato);
        ++resultado.sent;
        // A time-out never verifies a byte, even one of the same code as the "E" of "Error".
        const bool igual = !eco.timedOut && static_cast<unsigned char>(eco.texto.front()) == dato;
        if (igual) {
            ++resultado.verified;
        } else if (!resultado.hadError) {
            resultado.hadError = true;
            resultado.firstError = i;
            observador.dataError();
        }
        if (++inBlock == kBlockSize) {
            inBlock = 0;
            cabeceraPendiente = true;
            ++bloque;
        }
        observador.progress(i);
        if (enlace.perdido() || enlace.mudo()) {
            break;
        }
    }
    resultado.portFailure = puerto.fallo();
    resultado.signSilent = !resultado.portFailure && enlace.mudo();
    return resultado;
}

std::optional<SendResult> refusal(const LoadResult& carga) {
    SendResult resultado;
    switch (carga.estado) {
    case ImageState::Ready:
        return std::nullopt;
    case ImageState::NothingToSend:
        resultado.outcome = Outcome::NothingToSend;
        break;
    case ImageState::TooLarge:
        resultado.outcome = Outcome::TooLarge;
        break;
    case ImageState::ReadError:
        resultado.outcome = Outcome::ReadError;
        resultado.error = carga.error;
        break;
    }
    return resultado;
}

SendResult sendImage(Port& puerto, const LoadResult& carga, const TransmissionImage& imagen,
                     int totaldatos, TransferObserver& observador, int esperaMs) {
    if (std::optional<SendResult> refused = refusal(carga)) {
        return *refused;
    }
    SendResult resultado;
    if (Result<void> opened = puerto.abrir(); !opened.ok()) {
        resultado.outcome = Outcome::PortNotOpened;
        resultado.error = opened.error();
        return resultado;
    }
    // Stale input would be taken for the answer to the request and shift every echo after it.
    puerto.discardInput();
    const std::string request(1, static_cast<char>(kConnectionRequest));
    const Received respuesta = enviar(puerto, request, esperaMs);
    if (puerto.fallo()) {
        resultado.outcome = Outcome::PortLost;
        resultado.error = puerto.fallo();
    } else if (respuesta.timedOut || respuesta.texto != request) {
        resultado.outcome = Outcome::NoConnection;
    } else {
        observador.connected();
        resultado.transfer = transmitir(puerto, imagen, totaldatos, observador, esperaMs);
        const TransferResult& t = resultado.transfer;
        if (t.portFailure) {
            resultado.outcome = Outcome::PortLost;
            resultado.error = t.portFailure;
        } else if (t.stopped) {
            resultado.outcome = Outcome::Stopped;
        } else if (t.signSilent) {
            resultado.outcome = Outcome::SignSilent;
        } else {
            resultado.outcome = t.hadError ? Outcome::WithErrors : Outcome::Verified;
        }
    }
    puerto.cerrar();
    return resultado;
}

MessageBoxSpec noConnectionBox() {
    MessageBoxSpec caja;
    caja.title = "¡¡¡¡ Error en la Comunicacion !!!";
    caja.icono = Icon::Critical;
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

MessageBoxSpec dataErrorBox() {
    MessageBoxSpec caja;
    caja.title = "Error en la TX y RX de datos";
    caja.icono = Icon::Exclamation;
    caja.texto = unirLineas({
        "Los datos que se han enviado no son los mismos que han",
        "sido recepcionados por el dispositivo",
        "Se recomienda volver a realizar la misma operacion al cabo",
        "de concluida esta, ya que los datos no son fiables",
    });
    return caja;
}

std::optional<MessageBoxSpec> outcomeBox(const SendResult& resultado, const LoadResult& carga,
                                         const std::string& portName) {
    MessageBoxSpec caja;
    caja.title = "Comunicacion Serial";
    caja.icono = Icon::Exclamation;
    switch (resultado.outcome) {
    case Outcome::Verified:
    case Outcome::WithErrors:
    case Outcome::Stopped:
        return std::nullopt;
    case Outcome::NoConnection:
        return noConnectionBox();
    case Outcome::NothingToSend:
        caja.icono = Icon::Information;
        caja.texto = unirLineas({
            "No hay mensajes para enviar al Lumivel.",
            "Abra un archivo de mensajes que tenga al menos un mensaje y vuelva a abrir "
            "esta ventana.",
        });
        return caja;
    case Outcome::TooLarge:
        caja.texto = unirLineas({
            ("Los mensajes ocupan " + std::to_string(carga.bytesNeeded) +
             " bytes y el Lumivel solo admite " + std::to_string(TransmissionImage::kCapacity) +
             "."),
            "No se ha enviado nada. Elimine o acorte algunos mensajes y vuelva a abrir esta "
            "ventana.",
        });
        return caja;
    case Outcome::ReadError:
        caja.icono = Icon::Critical;
        caja.texto = unirLineas({
            "No se pudo leer el archivo de mensajes; no se ha enviado nada.",
            resultado.error ? resultado.error->describe() : std::string(),
        });
        return caja;
    case Outcome::PortNotOpened:
        caja.title = "¡¡¡¡ Error en la Comunicacion !!!";
        caja.icono = Icon::Critical;
        caja.texto = unirLineas({
            ("No se pudo abrir el puerto " + portName + ": " + reasonOf(resultado)),
            "No se ha enviado nada.",
        });
        return caja;
    case Outcome::SignSilent: {
        const TransferResult& t = resultado.transfer;
        caja.title = "¡¡¡¡ Error en la Comunicacion !!!";
        caja.icono = Icon::Critical;
        caja.texto = unirLineas({
            "El Lumivel Electronico ha dejado de responder durante la transmision.",
            ("Se verificaron " + std::to_string(t.verified) + " de " +
             std::to_string(t.imageBytes) + " bytes; la transmision se ha detenido."),
            "Revise el tablero y el cable y vuelva a realizar la operacion.",
        });
        return caja;
    }
    case Outcome::PortLost: {
        const TransferResult& t = resultado.transfer;
        caja.title = "¡¡¡¡ Error en la Comunicacion !!!";
        caja.icono = Icon::Critical;
        caja.texto = unirLineas({
            ("Se perdio el puerto " + portName + ": " + reasonOf(resultado)),
            ("Se verificaron " + std::to_string(t.verified) + " de " +
             std::to_string(t.imageBytes) + " bytes; la transmision se ha detenido."),
        });
        return caja;
    }
    }
    return std::nullopt;
}

} // namespace lumivel
