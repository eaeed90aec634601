// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumivel {

// One message as the sign receives it.
struct DecodedMessage {
    bool image = false;
    int presentacion = 0;
    int letra = 0;
    std::string texto; // Windows-1252 bytes, text messages only
    std::array<std::uint8_t, 64> columnas{};
};

// One line of JSON: {"kind":"text","presentacion":1,"letra":2,"texto":"AB"} or
// {"kind":"picture","presentacion":255,"letra":255,"columns":[...64 numbers]}.
// Text is converted to UTF-8.
std::string toJson(const DecodedMessage& mensaje);

// The receiving end of the link: follows the connection request, the block headers and
// the messages of the image, byte by byte.
class SignDecoder {
  public:
    enum class Event {
        None,
        Request,       // the connection request "c"
        ImageComplete, // the end of the image; takeImage() has its messages
        Error,         // the stream broke the protocol; lastError() says how
    };

    Event recibir(std::uint8_t byte);
    // The messages of the image just completed.
    std::vector<DecodedMessage> takeImage();
    const std::string& lastError() const { return error_; }
    // Between transfers: waiting for a connection request.
    bool idle() const { return phase_ == Phase::Idle; }
    // Forgets a transfer that stopped half-way.
    void reset();

  private:
    enum class Phase { Idle, Header, Data, End };
    enum class Piece { Start, Font, Text, Columns, End };

    Event solicitud();
    Event fault(std::string reason);
    Event header(std::uint8_t byte);
    Event dataByte(std::uint8_t byte);
    Event messageByte(std::uint8_t byte);
    void closeMessage();

    Phase phase_ = Phase::Idle;
    Phase dataPhase_ = Phase::Data; // where a header returns to
    int block_ = 0;
    int headerPosition_ = 0;
    int inBlock_ = 0;
    Piece piece_ = Piece::Start;
    DecodedMessage current_;
    std::size_t column_ = 0;
    std::vector<DecodedMessage> messages_;
    std::vector<DecodedMessage> complete_;
    std::string error_;
};

// Faults the virtual sign can play.
struct SignFault {
    enum class Kind {
        None,
        Silent,  // never answers
        NoHello, // answers the connection request with something else
        Corrupt, // every Nth echo after the connection request is altered
        Stop,    // falls silent after N bytes received
        Latency, // answers every byte N ms late, as an adapter that holds what it receives
    };
    Kind kind = Kind::None;
    int n = 0;
};

// "silent", "no-hello", "corrupt:N" (N >= 1), "stop:N" (N >= 0) or "latency:MS"
// (1 <= MS <= 10000); nothing if malformed.
std::optional<SignFault> parseFault(std::string_view texto);

// A sign: decodes what it receives and answers "c" with "c" and every byte with its
// echo, or misbehaves as its fault says.
class SignResponder {
  public:
    explicit SignResponder(SignFault fault = {}) : fault_(fault) {}

    struct Answer {
        std::string bytes; // empty: no answer
        SignDecoder::Event event = SignDecoder::Event::None;
    };
    Answer responder(std::uint8_t byte);
    SignDecoder& decoder() { return decoder_; }

  private:
    SignFault fault_;
    SignDecoder decoder_;
    long received_ = 0;
    long echoes_ = 0;
};

} // namespace lumivel
