// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/dialogs.hpp"
#include "transmission/link_timing.hpp"
#include "transmission/port.hpp"
#include "transmission/protocol.hpp"
#include "transmission/transmission_image.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace lumivel {

// How long recibir waits for a reply. Callers may allow more for a slow line or a busy
// machine; the sign itself answers well within this.
constexpr int kReplyTimeoutMs = 100;
// Consecutive unanswered exchanges after which the sign is taken to have stopped.
constexpr int kSilencesInARow = 10;

// A reply from the sign. After a time-out the text is "Error" and `timedOut` is set.
struct Received {
    std::string texto;
    bool timedOut = false;
};

// Each fails when the line failed for good (Port), with why.
Result<std::size_t> escribir(Port& port, std::string_view value);
Result<Received> recibir(Port& port, int waitMs = kReplyTimeoutMs);
// Writes the value, then waits for the reply. A write the line did not take whole is a
// time-out.
Result<Received> enviar(Port& port, std::string_view value, int waitMs = kReplyTimeoutMs);

// What the window (or the command line) follows while a transfer runs. Called on the
// thread that runs the transfer.
class TransferObserver {
  public:
    virtual ~TransferObserver() = default;
    // The sign answered the connection request.
    virtual void connected() {}
    virtual void setMaximum(int /*totaldatos*/) {}
    // Image index i has been exchanged.
    virtual void progress(int /*i*/) {}
    // The first echo of this transfer that did not match; the transfer goes on.
    virtual void dataError() {}
    // The line as the connection request and the first header measured it, with the
    // estimate of the whole transfer; once per transfer, before the first image byte.
    virtual void measured(const LinkMeasurement& /*link*/) {}
    // The time the transfer still needs, whenever its whole seconds change.
    virtual void timeLeft(int /*seconds*/) {}
    // Asked before every byte: true ends the transfer at once (the window is going away).
    virtual bool shouldStop() { return false; }
};

struct TransferResult {
    int imageBytes = 0; // totaldatos + 1
    int sent = 0;       // image bytes written
    int verified = 0;   // image bytes whose echo matched
    bool hadError = false;
    int firstError = -1; // image index of the first differing echo
    // Ten exchanges in a row went unanswered: the transfer was ended early.
    bool signSilent = false;
    bool stopped = false;
    std::optional<Error> portFailure;
    // Measured once the first header has been exchanged.
    std::optional<LinkMeasurement> link;
};

// Sends datos(0..totaldatos) with a block header before every kBlockSize bytes, each byte
// followed by a wait for its echo. A time-out always counts as a differing echo. `clock`
// times the exchanges; the transfer's own when none is given.
TransferResult transmitir(Port& port, const TransmissionImage& image, int totaldatos,
                          TransferObserver& observer, int waitMs = kReplyTimeoutMs,
                          TransferClock* clock = nullptr);

enum class Outcome {
    NothingToSend,
    TooLarge,
    ReadError,
    PortNotOpened,
    NoConnection,
    Verified,   // every echo matched
    WithErrors, // all bytes sent, some echo differed
    SignSilent,
    PortLost,
    Stopped, // ended by the program, not by the sign
};

struct SendResult {
    Outcome outcome = Outcome::NothingToSend;
    // Why the file could not be read, or the port could not be opened or was lost.
    std::optional<Error> error;
    TransferResult transfer;
};

// The outcome of "Enviar" for an image that is not ready (nothing to send, too large,
// unreadable), decided before any port is touched; nothing when the image is ready.
std::optional<SendResult> refusal(const LoadResult& load);

// The "Enviar" button: refuses an image that is not ready, otherwise opens the port,
// checks the connection, transfers and closes the port whatever the outcome.
SendResult sendImage(Port& port, const LoadResult& load, const TransmissionImage& image,
                     int totaldatos, TransferObserver& observer, int waitMs = kReplyTimeoutMs);

// The connection request alone, timed: opens the port, asks, closes, and writes nothing to
// the sign's memory. Verified when the sign answered, and then transfer.link holds the line
// as that one round trip measured it, with the estimate for a transfer of `imageBytes`.
// Otherwise the outcome sendImage would have reached (no port, lost, no connection).
SendResult probeLink(Port& port, int imageBytes, int waitMs = kReplyTimeoutMs);

// The line that sums up a transfer that began: "Transmision completa: 300 de 300 bytes
// verificados.", "... con errores: ...", or "Transmision interrumpida: ..." when it ended early.
// Empty when nothing was sent (refused, no port, no connection).
std::string transferSummary(const SendResult& result);

// The boxes the transfer shows.
MessageBoxSpec noConnectionBox();
MessageBoxSpec dataErrorBox();
// The box for an outcome, if it has one (a transfer with differing echoes has already
// shown dataErrorBox; a verified one shows nothing).
std::optional<MessageBoxSpec> outcomeBox(const SendResult& result, const LoadResult& load,
                                         const std::string& portName);

} // namespace lumivel
