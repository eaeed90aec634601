// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/sign_decoder.hpp"

#include "base/json.hpp"
#include "base/windows1252.hpp"
#include "transmission/protocol.hpp"

#include <charconv>

namespace lumivel {

std::string toJson(const DecodedMessage& mensaje) {
    std::string json = "{\"kind\":";
    json += mensaje.image ? "\"picture\"" : "\"text\"";
    json += ",\"presentacion\":" + std::to_string(mensaje.presentacion);
    json += ",\"letra\":" + std::to_string(mensaje.letra);
    if (mensaje.image) {
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

void SignDecoder::reset() {
    phase_ = Phase::Idle;
    messages_.clear();
    piece_ = Piece::Start;
}

std::vector<DecodedMessage> SignDecoder::takeImage() {
    std::vector<DecodedMessage> image;
    image.swap(complete_);
    return image;
}

SignDecoder::Event SignDecoder::solicitud() {
    phase_ = Phase::Header;
    dataPhase_ = Phase::Data;
    block_ = 0;
    headerPosition_ = 0;
    inBlock_ = 0;
    piece_ = Piece::Start;
    messages_.clear();
    return Event::Request;
}

SignDecoder::Event SignDecoder::fault(std::string reason) {
    error_ = std::move(reason);
    reset();
    return Event::Error;
}

SignDecoder::Event SignDecoder::recibir(std::uint8_t byte) {
    switch (phase_) {
    case Phase::Idle:
        // Anything but a connection request is line noise between transfers.
        return byte == kConnectionRequest ? solicitud() : Event::None;
    case Phase::Header:
        return header(byte);
    case Phase::Data:
    case Phase::End:
        return dataByte(byte);
    }
    return Event::None;
}

SignDecoder::Event SignDecoder::header(std::uint8_t byte) {
    // A sender that gave up after the connection request starts again with a new one.
    if (headerPosition_ == 0 && byte == kConnectionRequest) {
        return solicitud();
    }
    const auto expected = blockHeader(block_);
    if (byte != expected[static_cast<std::size_t>(headerPosition_)]) {
        return fault("cabecera de bloque " + std::to_string(block_) + " inválida: byte " +
                     std::to_string(headerPosition_) + " vale " + std::to_string(byte));
    }
    if (++headerPosition_ == static_cast<int>(expected.size())) {
        headerPosition_ = 0;
        phase_ = dataPhase_;
    }
    return Event::None;
}

SignDecoder::Event SignDecoder::dataByte(std::uint8_t byte) {
    Event event = Event::None;
    if (phase_ == Phase::End) {
        // The last byte of the image, after its end.
        if (byte != kMessageEnd) {
            return byte == kConnectionRequest ? solicitud() : fault("byte final distinto de 0");
        }
        phase_ = Phase::Idle;
        return Event::None;
    }
    event = messageByte(byte);
    if (event == Event::Error) {
        return event;
    }
    if (++inBlock_ == kBlockSize) {
        inBlock_ = 0;
        ++block_;
        dataPhase_ = phase_;
        phase_ = Phase::Header;
    }
    return event;
}

SignDecoder::Event SignDecoder::messageByte(std::uint8_t byte) {
    switch (piece_) {
    case Piece::Start:
        if (byte == kMessageEnd) {
            // No message starts here: the image has ended.
            complete_ = std::move(messages_);
            messages_.clear();
            phase_ = Phase::End;
            return Event::ImageComplete;
        }
        current_ = DecodedMessage{};
        current_.image = byte == kPictureMark;
        current_.presentacion = byte;
        piece_ = Piece::Font;
        return Event::None;
    case Piece::Font:
        current_.letra = byte;
        column_ = 0;
        piece_ = current_.image ? Piece::Columns : Piece::Text;
        return Event::None;
    case Piece::Text:
        if (byte == kMessageEnd) {
            closeMessage();
        } else {
            current_.texto += static_cast<char>(byte);
        }
        return Event::None;
    case Piece::Columns:
        current_.columnas[column_++] = byte;
        if (column_ == current_.columnas.size()) {
            piece_ = Piece::End;
        }
        return Event::None;
    case Piece::End:
        if (byte != kMessageEnd) {
            return fault("imagen sin fin de mensaje tras 64 columnas");
        }
        closeMessage();
        return Event::None;
    }
    return Event::None;
}

void SignDecoder::closeMessage() {
    messages_.push_back(current_);
    piece_ = Piece::Start;
}

std::optional<SignFault> parseFault(std::string_view texto) {
    if (texto == "silent") {
        return SignFault{SignFault::Kind::Silent, 0};
    }
    if (texto == "no-hello") {
        return SignFault{SignFault::Kind::NoHello, 0};
    }
    const auto colon = texto.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view type = texto.substr(0, colon);
    const std::string_view numero = texto.substr(colon + 1);
    int n = 0;
    const auto [end, ec] = std::from_chars(numero.data(), numero.data() + numero.size(), n);
    if (numero.empty() || ec != std::errc() || end != numero.data() + numero.size()) {
        return std::nullopt;
    }
    if (type == "corrupt" && n >= 1) {
        return SignFault{SignFault::Kind::Corrupt, n};
    }
    if (type == "stop" && n >= 0) {
        return SignFault{SignFault::Kind::Stop, n};
    }
    if (type == "latency" && n >= 1 && n <= 10000) {
        return SignFault{SignFault::Kind::Latency, n};
    }
    return std::nullopt;
}

SignResponder::Answer SignResponder::responder(std::uint8_t byte) {
    Answer reply;
    reply.event = decoder_.recibir(byte);
    ++received_;
    const bool isRequest = reply.event == SignDecoder::Event::Request;
    switch (fault_.kind) {
    case SignFault::Kind::Silent:
        return reply;
    case SignFault::Kind::Stop:
        if (received_ > fault_.n) {
            return reply;
        }
        break;
    case SignFault::Kind::NoHello:
        if (isRequest) {
            reply.bytes = "?";
            return reply;
        }
        break;
    default:
        break;
    }
    std::uint8_t echo = byte;
    if (!isRequest) {
        ++echoes_;
        if (fault_.kind == SignFault::Kind::Corrupt && echoes_ % fault_.n == 0) {
            echo = static_cast<std::uint8_t>(echo ^ 0xFF);
        }
    }
    reply.bytes = std::string(1, static_cast<char>(echo));
    return reply;
}

} // namespace lumivel
