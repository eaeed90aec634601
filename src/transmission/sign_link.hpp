#pragma once
#include "display/dialogs.hpp"
#include "transmission/port.hpp"
#include "transmission/protocol.hpp"
#include "transmission/transmission_image.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace lumivel {

// How long recibir waits for a reply. Callers may allow more for a slow line or a busy
// machine; the sign itself answers well within this.
constexpr int kEsperaRespuestaMs = 100;
// Consecutive unanswered exchanges after which the sign is taken to have stopped.
constexpr int kSilenciosSeguidos = 10;

// A reply from the sign. After a time-out the text is "Error" and `agotado` is set.
struct Recibido {
    std::string texto;
    bool agotado = false;
};

Result<void> escribir(Port& puerto, std::string_view valor);
Recibido recibir(Port& puerto, int esperaMs = kEsperaRespuestaMs);
// Writes the value, then waits for the reply. A failed write is a time-out.
Recibido enviar(Port& puerto, std::string_view valor, int esperaMs = kEsperaRespuestaMs);

// What the window (or the command line) follows while a transfer runs. Called on the
// thread that runs the transfer.
class ObservadorEnvio {
  public:
    virtual ~ObservadorEnvio() = default;
    // The sign answered the connection request.
    virtual void conectado() {}
    virtual void maximo(int /*totaldatos*/) {}
    // Image index i has been exchanged.
    virtual void progreso(int /*i*/) {}
    // The first echo of this transfer that did not match; the transfer goes on.
    virtual void errorDeDatos() {}
    // Asked before every byte: true ends the transfer at once (the window is going away).
    virtual bool interrumpir() { return false; }
};

struct ResultadoTransmision {
    int bytesImagen = 0; // totaldatos + 1
    int enviados = 0;    // image bytes written
    int verificados = 0; // image bytes whose echo matched
    bool huboError = false;
    int primerError = -1; // image index of the first differing echo
    // Ten exchanges in a row went unanswered: the transfer was ended early.
    bool signoMudo = false;
    bool interrumpida = false;
    std::optional<Error> falloPuerto;
};

// Sends datos(0..totaldatos) with a block header before every kBytesPorBloque bytes, each byte
// followed by a wait for its echo. A time-out always counts as a differing echo.
ResultadoTransmision transmitir(Port& puerto, const ImagenTransmision& imagen, int totaldatos,
                                ObservadorEnvio& observador, int esperaMs = kEsperaRespuestaMs);

enum class Desenlace {
    NadaQueEnviar,
    Excede,
    ErrorLectura,
    PuertoNoAbre,
    SinConexion,
    Verificado, // every echo matched
    ConErrores, // all bytes sent, some echo differed
    SignoMudo,
    PuertoPerdido,
    Interrumpido, // ended by the program, not by the sign
};

struct ResultadoEnvio {
    Desenlace desenlace = Desenlace::NadaQueEnviar;
    // Why the file could not be read, or the port could not be opened or was lost.
    std::optional<Error> error;
    ResultadoTransmision transmision;
};

// The outcome of "Enviar" for an image that is not ready (nothing to send, too large,
// unreadable), decided before any port is touched; nothing when the image is ready.
std::optional<ResultadoEnvio> refusal(const ResultadoCarga& carga);

// The "Enviar" button: refuses an image that is not ready, otherwise opens the port,
// checks the connection, transfers and closes the port whatever the outcome.
ResultadoEnvio enviarImagen(Port& puerto, const ResultadoCarga& carga,
                            const ImagenTransmision& imagen, int totaldatos,
                            ObservadorEnvio& observador, int esperaMs = kEsperaRespuestaMs);

// The boxes the transfer shows.
CajaMensaje cajaSinConexion();
CajaMensaje cajaErrorDeDatos();
// The box for an outcome, if it has one (a transfer with differing echoes has already
// shown cajaErrorDeDatos; a verified one shows nothing).
std::optional<CajaMensaje> cajaDesenlace(const ResultadoEnvio& resultado,
                                         const ResultadoCarga& carga,
                                         const std::string& nombrePuerto);

} // namespace lumivel
