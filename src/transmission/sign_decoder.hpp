#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumivel {

// One message as the sign receives it.
struct MensajeDecodificado {
    bool imagen = false;
    int presentacion = 0;
    int letra = 0;
    std::string texto; // Windows-1252 bytes, text messages only
    std::array<std::uint8_t, 64> columnas{};
};

// One line of JSON: {"kind":"text","presentacion":1,"letra":2,"texto":"AB"} or
// {"kind":"picture","presentacion":255,"letra":255,"columns":[...64 numbers]}.
// Text is converted to UTF-8.
std::string comoJson(const MensajeDecodificado& mensaje);

// The receiving end of the link: follows the connection request, the block headers and
// the messages of the image, byte by byte.
class SignDecoder {
  public:
    enum class Evento {
        Nada,
        Solicitud,      // the connection request "c"
        ImagenCompleta, // the end of the image; tomarImagen() has its messages
        Error,          // the stream broke the protocol; ultimoError() says how
    };

    Evento recibir(std::uint8_t byte);
    // The messages of the image just completed.
    std::vector<MensajeDecodificado> tomarImagen();
    const std::string& ultimoError() const { return error_; }
    // Between transfers: waiting for a connection request.
    bool enReposo() const { return fase_ == Fase::Reposo; }
    // Forgets a transfer that stopped half-way.
    void reiniciar();

  private:
    enum class Fase { Reposo, Cabecera, Datos, Final };
    enum class Parte { Inicio, Letra, Texto, Columnas, Cierre };

    Evento solicitud();
    Evento fallo(std::string motivo);
    Evento cabecera(std::uint8_t byte);
    Evento dato(std::uint8_t byte);
    Evento mensajeDato(std::uint8_t byte);
    void cerrarMensaje();

    Fase fase_ = Fase::Reposo;
    Fase faseDatos_ = Fase::Datos; // where a header returns to
    int bloque_ = 0;
    int posCabecera_ = 0;
    int enBloque_ = 0;
    Parte parte_ = Parte::Inicio;
    MensajeDecodificado actual_;
    std::size_t columna_ = 0;
    std::vector<MensajeDecodificado> mensajes_;
    std::vector<MensajeDecodificado> completa_;
    std::string error_;
};

// Faults the virtual sign can play.
struct FalloSigno {
    enum class Tipo {
        Ninguno,
        Silencioso, // never answers
        SinSaludo,  // answers the connection request with something else
        Corrupto,   // every Nth echo after the connection request is altered
        Detenido,   // falls silent after N bytes received
    };
    Tipo tipo = Tipo::Ninguno;
    int n = 0;
};

// "silent", "no-hello", "corrupt:N" (N >= 1) or "stop:N" (N >= 0); nothing if malformed.
std::optional<FalloSigno> interpretarFallo(std::string_view texto);

// A sign: decodes what it receives and answers "c" with "c" and every byte with its
// echo, or misbehaves as its fault says.
class SignResponder {
  public:
    explicit SignResponder(FalloSigno fallo = {}) : fallo_(fallo) {}

    struct Respuesta {
        std::string bytes; // empty: no answer
        SignDecoder::Evento evento = SignDecoder::Evento::Nada;
    };
    Respuesta responder(std::uint8_t byte);
    SignDecoder& decoder() { return decoder_; }

  private:
    FalloSigno fallo_;
    SignDecoder decoder_;
    long recibidos_ = 0;
    long ecos_ = 0;
};

} // namespace lumivel
