// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "transmission/protocol.hpp"

#include <chrono>
#include <string>
#include <vector>

namespace lumivel {

// One exchange on the wire at kLineBaud: a 10-bit character out and its echo back.
inline constexpr double kWireMsPerExchange = 2 * 10 * 1000.0 / kLineBaud;
// A round trip this many times the wire time means something holds the echoes back.
inline constexpr double kSlowLinkFactor = 3.0;

// The exchanges a transfer of `imageBytes` costs: every byte and a header before each block,
// plus the connection request when `withRequest`.
int transferExchanges(int imageBytes, bool withRequest = true);

// The line as measured on the first exchanges of a transfer (or by a probe).
struct LinkMeasurement {
    // The median round trip of the samples, in milliseconds.
    double roundTripMs = 0;
    int samples = 0;
    // The exchanges the whole transfer costs.
    int exchanges = 0;

    double estimateMs() const { return roundTripMs * exchanges; }
    // What the same transfer costs on the wire alone.
    double wireMs() const { return kWireMsPerExchange * exchanges; }
    bool slow() const { return roundTripMs > kSlowLinkFactor * kWireMsPerExchange; }
};

// "16,2": milliseconds with one decimal, written the Spanish way.
std::string millisecondsText(double ms);
// "18 s", "2 min 17 s": a duration rounded up to whole seconds, never "0 s".
std::string durationText(double ms);

// Times a transfer's exchanges: the first few measure the line, the rest say how long the
// transfer still needs at the pace it has kept so far.
class TransferClock {
  public:
    // The request and the first block's header.
    static constexpr int kSamples = 6;

    explicit TransferClock(int exchanges) : exchanges_(exchanges) {}

    // Called just before each exchange's byte is written, and after its reply; only an
    // answered exchange measures the line (a time-out is the wait's length, not the line's).
    void begin();
    void end(bool answered);
    // The line as the exchanges so far measured it.
    LinkMeasurement measurement() const;
    // The time the remaining exchanges need, rounded up to whole seconds.
    int secondsLeft() const;

  private:
    using Clock = std::chrono::steady_clock;

    int exchanges_;
    int done_ = 0;
    Clock::time_point first_{};
    Clock::time_point exchangeStart_{};
    Clock::time_point last_{};
    std::vector<double> samplesMs_;
};

} // namespace lumivel
