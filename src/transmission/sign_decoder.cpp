#include "transmission/sign_decoder.hpp"

#include "base/json.hpp"
#include "base/windows1252.hpp"
#include "transmission/protocol.hpp"

#include <charconv>

namespace lumivel {

std::string comoJson(const MensajeDecodificado& mensaje) {
    std::string json = "{\"kind\":";
    json += mensaje.imagen ? "\"picture\"" : "\"text\"";
    json += ",\"presentacion\":" + std::to_string(mensaje.presentacion);
    json += ",\"letra\":" + std::to_string(mensaje.letra);
    if (mensaje.imagen) {
        json += ",\"columns\":[";
        for (std::size_t k = 0; k < mensaje.columnas.size(); ++k) {
            json += (k == 0 ? "" : ",") + std::to_string(mensaje.columnas[k]);
        }
        json += "]";
    } else {
        json += ",\"texto\":" + jsonString(windows1252ToUtf8(mensaje.texto));
    }
    return json + "}";
}

void SignDecoder::reiniciar() {
    fase_ = Fase::Reposo;
    mensajes_.clear();
    parte_ = Parte::Inicio;
}

std::vector<MensajeDecodificado> SignDecoder::tomarImagen() {
    std::vector<MensajeDecodificado> imagen;
    imagen.swap(completa_);
    return imagen;
}

SignDecoder::Evento SignDecoder::solicitud() {
    fase_ = Fase::Cabecera;
    faseDatos_ = Fase::Datos;
    bloque_ = 0;
    posCabecera_ = 0;
    enBloque_ = 0;
    parte_ = Parte::Inicio;
    mensajes_.clear();
    return Evento::Solicitud;
}

SignDecoder::Evento SignDecoder::fallo(std::string motivo) {
    error_ = std::move(motivo);
    reiniciar();
    return Evento::Error;
}

SignDecoder::Evento SignDecoder::recibir(std::uint8_t byte) {
    switch (fase_) {
    case Fase::Reposo:
        // Anything but a connection request is line noise between transfers.
        return byte == kConnectionRequest ? solicitud() : Evento::Nada;
    case Fase::Cabecera:
        return cabecera(byte);
    case Fase::Datos:
    case Fase::Final:
        return dato(byte);
    }
    return Evento::Nada;
}

SignDecoder::Evento SignDecoder::cabecera(std::uint8_t byte) {
    // A sender that gave up after the connection request starts again with a new one.
    if (posCabecera_ == 0 && byte == kConnectionRequest) {
        return solicitud();
    }
    const auto esperado = blockHeader(bloque_);
    if (byte != esperado[static_cast<std::size_t>(posCabecera_)]) {
        return fallo("cabecera de bloque " + std::to_string(bloque_) + " invalida: byte " +
                     std::to_string(posCabecera_) + " vale " + std::to_string(byte));
    }
    if (++posCabecera_ == static_cast<int>(esperado.size())) {
        posCabecera_ = 0;
        fase_ = faseDatos_;
    }
    return Evento::Nada;
}

SignDecoder::Evento SignDecoder::dato(std::uint8_t byte) {
    Evento evento = Evento::Nada;
    if (fase_ == Fase::Final) {
        // The last byte of the image, after its end.
        if (byte != kMessageEnd) {
            return byte == kConnectionRequest ? solicitud() : fallo("byte final distinto de 0");
        }
        fase_ = Fase::Reposo;
        return Evento::Nada;
    }
    evento = mensajeDato(byte);
    if (evento == Evento::Error) {
        return evento;
    }
    if (++enBloque_ == kBytesPorBloque) {
        enBloque_ = 0;
        ++bloque_;
        faseDatos_ = fase_;
        fase_ = Fase::Cabecera;
    }
    return evento;
}

SignDecoder::Evento SignDecoder::mensajeDato(std::uint8_t byte) {
    switch (parte_) {
    case Parte::Inicio:
        if (byte == kMessageEnd) {
            // No message starts here: the image has ended.
            completa_ = std::move(mensajes_);
            mensajes_.clear();
            fase_ = Fase::Final;
            return Evento::ImagenCompleta;
        }
        actual_ = MensajeDecodificado{};
        actual_.imagen = byte == kPictureMark;
        actual_.presentacion = byte;
        parte_ = Parte::Letra;
        return Evento::Nada;
    case Parte::Letra:
        actual_.letra = byte;
        columna_ = 0;
        parte_ = actual_.imagen ? Parte::Columnas : Parte::Texto;
        return Evento::Nada;
    case Parte::Texto:
        if (byte == kMessageEnd) {
            cerrarMensaje();
        } else {
            actual_.texto += static_cast<char>(byte);
        }
        return Evento::Nada;
    case Parte::Columnas:
        actual_.columnas[columna_++] = byte;
        if (columna_ == actual_.columnas.size()) {
            parte_ = Parte::Cierre;
        }
        return Evento::Nada;
    case Parte::Cierre:
        if (byte != kMessageEnd) {
            return fallo("imagen sin fin de mensaje tras 64 columnas");
        }
        cerrarMensaje();
        return Evento::Nada;
    }
    return Evento::Nada;
}

void SignDecoder::cerrarMensaje() {
    mensajes_.push_back(actual_);
    parte_ = Parte::Inicio;
}

std::optional<FalloSigno> interpretarFallo(std::string_view texto) {
    if (texto == "silent") {
        return FalloSigno{FalloSigno::Tipo::Silencioso, 0};
    }
    if (texto == "no-hello") {
        return FalloSigno{FalloSigno::Tipo::SinSaludo, 0};
    }
    const auto dosPuntos = texto.find(':');
    if (dosPuntos == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view tipo = texto.substr(0, dosPuntos);
    const std::string_view numero = texto.substr(dosPuntos + 1);
    int n = 0;
    const auto [fin, ec] = std::from_chars(numero.data(), numero.data() + numero.size(), n);
    if (numero.empty() || ec != std::errc() || fin != numero.data() + numero.size()) {
        return std::nullopt;
    }
    if (tipo == "corrupt" && n >= 1) {
        return FalloSigno{FalloSigno::Tipo::Corrupto, n};
    }
    if (tipo == "stop" && n >= 0) {
        return FalloSigno{FalloSigno::Tipo::Detenido, n};
    }
    return std::nullopt;
}

SignResponder::Respuesta SignResponder::responder(std::uint8_t byte) {
    Respuesta respuesta;
    respuesta.evento = decoder_.recibir(byte);
    ++recibidos_;
    const bool esSolicitud = respuesta.evento == SignDecoder::Evento::Solicitud;
    switch (fallo_.tipo) {
    case FalloSigno::Tipo::Silencioso:
        return respuesta;
    case FalloSigno::Tipo::Detenido:
        if (recibidos_ > fallo_.n) {
            return respuesta;
        }
        break;
    case FalloSigno::Tipo::SinSaludo:
        if (esSolicitud) {
            respuesta.bytes = "?";
            return respuesta;
        }
        break;
    default:
        break;
    }
    std::uint8_t eco = byte;
    if (!esSolicitud) {
        ++ecos_;
        if (fallo_.tipo == FalloSigno::Tipo::Corrupto && ecos_ % fallo_.n == 0) {
            eco = static_cast<std::uint8_t>(eco ^ 0xFF);
        }
    }
    respuesta.bytes = std::string(1, static_cast<char>(eco));
    return respuesta;
}

} // namespace lumivel
