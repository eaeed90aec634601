// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/sign_link.hpp"

#include <algorithm>

namespace lumivel {
namespace {

// Lines separated by CR LF, without a final line break.
std::string joinLines(std::initializer_list<std::string> lines) {
    std::string texto;
    bool first = true;
    for (const std::string& line : lines) {
        if (!first) {
            texto += "\r\n";
        }
        texto += line;
        first = false;
    }
    return texto;
}

// The device is named by the box itself.
std::string reasonOf(const SendResult& result) {
    return result.error ? result.error->reason : std::string();
}

Received timeOut() {
    return {"Error", true};
}

std::string byteAsText(int value) {
    return std::string(1, static_cast<char>(static_cast<unsigned char>(value & 0xFF)));
}

// Counts unanswered exchanges in a row, so a sign that went quiet ends the transfer, and
// keeps why the line was lost, which ends it at once.
class Link {
  public:
    Link(Port& port, int waitMs, TransferClock& clock)
        : port_(port), replyTimeoutMs_(waitMs), clock_(clock) {}

    // A lost line gives no reply: a time-out.
    Received exchange(int value) {
        clock_.begin();
        Result<Received> reply = enviar(port_, byteAsText(value), replyTimeoutMs_);
        if (!reply.ok()) {
            lost_ = reply.error();
        }
        Received received = reply.ok() ? std::move(reply).value() : timeOut();
        clock_.end(!received.timedOut);
        silences_ = received.timedOut ? silences_ + 1 : 0;
        return received;
    }
    bool mute() const { return silences_ >= kSilencesInARow; }
    bool lost() const { return lost_.has_value(); }
    const std::optional<Error>& loss() const { return lost_; }

  private:
    Port& port_;
    int replyTimeoutMs_;
    TransferClock& clock_;
    int silences_ = 0;
    std::optional<Error> lost_;
};

} // namespace

Result<std::size_t> escribir(Port& port, std::string_view value) {
    return port.escribir(value);
}

Result<Received> recibir(Port& port, int waitMs) {
    // Waits on the port's input instead of polling: returns as soon as bytes arrive.
    LUMIVEL_TRY(std::string result, port.waitForBytes(waitMs));
    if (result.empty()) {
        return timeOut();
    }
    return Received{std::move(result), false};
}

Result<Received> enviar(Port& port, std::string_view value, int waitMs) {
    LUMIVEL_TRY(const std::size_t taken, escribir(port, value));
    if (taken < value.size()) {
        return timeOut();
    }
    return recibir(port, waitMs);
}

TransferResult transmitir(Port& port, const TransmissionImage& image, int totaldatos,
                          TransferObserver& observer, int waitMs, TransferClock* clock) {
    TransferResult result;
    // Never read past the image, whatever totaldatos says.
    const int last = std::min(totaldatos, TransmissionImage::kLastIndex);
    result.imageBytes = last + 1;
    TransferClock ownClock(transferExchanges(result.imageBytes, false));
    TransferClock& timing = clock != nullptr ? *clock : ownClock;
    observer.setMaximum(totaldatos);
    Link link(port, waitMs, timing);
    int secondsLeft = -1;
    int block = 0;
    int inBlock = 0;
    bool headerPending = true;
    for (int i = 0; i <= last; ++i) {
        if (observer.shouldStop()) {
            result.stopped = true;
            break;
        }
        if (headerPending) {
            for (const std::uint8_t value : blockHeader(block)) {
                link.exchange(value);
                if (link.lost() || link.mute()) {
                    break;
                }
            }
        }
        headerPending = false;
        if (link.lost() || link.mute()) {
            break;
        }
        if (!result.link && timing.measurement().samples > 0) {
            result.link = timing.measurement();
            observer.measured(*result.link);
        }
        const int dataByte = image.datos[static_cast<std::size_t>(i)] & 0xFF;
        const Received echo = link.exchange(dataByte);
        if (link.lost()) {
            // An unplugged sign gives no echo, but that is a disconnection, reported once as
            // such, not a differing echo first.
            break;
        }
        ++result.sent;
        // A time-out never verifies a byte, even one of the same code as the "E" of "Error".
        const bool equals =
            !echo.timedOut && static_cast<unsigned char>(echo.texto.front()) == dataByte;
        if (equals) {
            ++result.verified;
        } else if (!result.hadError) {
            result.hadError = true;
            result.firstError = i;
            observer.dataError();
        }
        if (++inBlock == kBlockSize) {
            inBlock = 0;
            headerPending = true;
            ++block;
        }
        observer.progress(i);
        if (const int left = timing.secondsLeft(); left != secondsLeft) {
            secondsLeft = left;
            observer.timeLeft(left);
        }
        if (link.mute()) {
            break;
        }
    }
    result.portFailure = link.loss();
    result.signSilent = !result.portFailure && link.mute();
    return result;
}

std::optional<SendResult> refusal(const LoadResult& load) {
    SendResult result;
    switch (load.estado) {
    case ImageState::Ready:
        return std::nullopt;
    case ImageState::NothingToSend:
        result.outcome = Outcome::NothingToSend;
        break;
    case ImageState::TooLarge:
        result.outcome = Outcome::TooLarge;
        break;
    case ImageState::ReadError:
        result.outcome = Outcome::ReadError;
        result.error = load.error;
        break;
    }
    return result;
}

namespace {

// Opens the port and asks for the connection, timed on `clock`. True when the sign answered;
// otherwise `result` holds why not and the port is closed.
bool connectTo(Port& port, int waitMs, TransferClock& clock, SendResult& result) {
    if (Result<void> opened = port.abrir(); !opened.ok()) {
        result.outcome = Outcome::PortNotOpened;
        result.error = opened.error();
        return false;
    }
    // Stale input would be taken for the answer to the request and shift every echo after it.
    port.discardInput();
    const std::string request(1, static_cast<char>(kConnectionRequest));
    clock.begin();
    const Result<Received> reply = enviar(port, request, waitMs);
    clock.end(reply.ok() && !reply->timedOut);
    if (!reply.ok()) {
        result.outcome = Outcome::PortLost;
        result.error = reply.error();
    } else if (reply->timedOut || reply->texto != request) {
        result.outcome = Outcome::NoConnection;
    } else {
        return true;
    }
    port.close();
    return false;
}

} // namespace

SendResult sendImage(Port& port, const LoadResult& load, const TransmissionImage& image,
                     int totaldatos, TransferObserver& observer, int waitMs) {
    if (std::optional<SendResult> refused = refusal(load)) {
        return *refused;
    }
    SendResult result;
    const int imageBytes = std::min(totaldatos, TransmissionImage::kLastIndex) + 1;
    TransferClock clock(transferExchanges(imageBytes));
    if (!connectTo(port, waitMs, clock, result)) {
        return result;
    }
    observer.connected();
    result.transfer = transmitir(port, image, totaldatos, observer, waitMs, &clock);
    const TransferResult& t = result.transfer;
    if (t.portFailure) {
        result.outcome = Outcome::PortLost;
        result.error = t.portFailure;
    } else if (t.stopped) {
        result.outcome = Outcome::Stopped;
    } else if (t.signSilent) {
        result.outcome = Outcome::SignSilent;
    } else {
        result.outcome = t.hadError ? Outcome::WithErrors : Outcome::Verified;
    }
    port.close();
    return result;
}

SendResult probeLink(Port& port, int imageBytes, int waitMs) {
    SendResult result;
    TransferClock clock(transferExchanges(imageBytes));
    if (!connectTo(port, waitMs, clock, result)) {
        return result;
    }
    result.outcome = Outcome::Verified;
    result.transfer.link = clock.measurement();
    port.close();
    return result;
}

std::string transferSummary(const SendResult& result) {
    std::string start;
    switch (result.outcome) {
    case Outcome::Verified:
        start = "Transmision completa";
        break;
    case Outcome::WithErrors:
        start = "Transmision completa con errores";
        break;
    case Outcome::SignSilent:
    case Outcome::PortLost:
    case Outcome::Stopped:
        start = "Transmision interrumpida";
        break;
    default:
        return {};
    }
    return start + ": " + std::to_string(result.transfer.verified) + " de " +
           std::to_string(result.transfer.imageBytes) + " bytes verificados.";
}

MessageBoxSpec noConnectionBox() {
    MessageBoxSpec box;
    box.title = "¡¡¡¡ Error en la Comunicacion !!!";
    box.icon = Icon::Critical;
    box.texto = joinLines({
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
    return box;
}

MessageBoxSpec dataErrorBox() {
    MessageBoxSpec box;
    box.title = "Error en la TX y RX de datos";
    box.icon = Icon::Exclamation;
    box.texto = joinLines({
        "Los datos que se han enviado no son los mismos que han",
        "sido recepcionados por el dispositivo",
        "Se recomienda volver a realizar la misma operacion al cabo",
        "de concluida esta, ya que los datos no son fiables",
    });
    return box;
}

std::optional<MessageBoxSpec> outcomeBox(const SendResult& result, const LoadResult& load,
                                         const std::string& portName) {
    MessageBoxSpec box;
    box.title = "Comunicacion Serial";
    box.icon = Icon::Exclamation;
    switch (result.outcome) {
    case Outcome::Verified:
    case Outcome::WithErrors:
    case Outcome::Stopped:
        return std::nullopt;
    case Outcome::NoConnection:
        return noConnectionBox();
    case Outcome::NothingToSend:
        box.icon = Icon::Information;
        box.texto = joinLines({
            "No hay mensajes para enviar al Lumivel.",
            "Abra un archivo de mensajes que tenga al menos un mensaje y vuelva a abrir "
            "esta ventana.",
        });
        return box;
    case Outcome::TooLarge:
        box.texto = joinLines({
            ("Los mensajes ocupan " + std::to_string(load.bytesNeeded) +
             " bytes y el Lumivel solo admite " + std::to_string(TransmissionImage::kCapacity) +
             "."),
            "No se ha enviado nada. Elimine o acorte algunos mensajes y vuelva a abrir esta "
            "ventana.",
        });
        return box;
    case Outcome::ReadError:
        box.icon = Icon::Critical;
        box.texto = joinLines({
            "No se pudo leer el archivo de mensajes; no se ha enviado nada.",
            result.error ? result.error->describe() : std::string(),
        });
        return box;
    case Outcome::PortNotOpened:
        box.title = "¡¡¡¡ Error en la Comunicacion !!!";
        box.icon = Icon::Critical;
        box.texto = joinLines({
            ("No se pudo abrir el puerto " + portName + ": " + reasonOf(result)),
            "No se ha enviado nada.",
        });
        return box;
    case Outcome::SignSilent: {
        const TransferResult& t = result.transfer;
        box.title = "¡¡¡¡ Error en la Comunicacion !!!";
        box.icon = Icon::Critical;
        box.texto = joinLines({
            "El Lumivel Electronico ha dejado de responder durante la transmisión.",
            ("Se verificaron " + std::to_string(t.verified) + " de " +
             std::to_string(t.imageBytes) + " bytes; la transmisión se ha detenido."),
            "Revise el tablero y el cable y vuelva a realizar la operación.",
        });
        return box;
    }
    case Outcome::PortLost: {
        const TransferResult& t = result.transfer;
        box.title = "¡¡¡¡ Error en la Comunicacion !!!";
        box.icon = Icon::Critical;
        box.texto = joinLines({
            ("Se perdio el puerto " + portName + ": " + reasonOf(result)),
            ("Se verificaron " + std::to_string(t.verified) + " de " +
             std::to_string(t.imageBytes) + " bytes; la transmisión se ha detenido."),
        });
        return box;
    }
    }
    return std::nullopt;
}

} // namespace lumivel
