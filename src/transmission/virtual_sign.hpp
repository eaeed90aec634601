// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/result.hpp"
#include "transmission/sign_decoder.hpp"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace lumivel {

// A sign on a pseudo-terminal: the sender opens the slave device by its path, the sign
// answers on the master side. POSIX only.
class VirtualSign {
  public:
    struct Options {
        // 0: echo at once; otherwise delay each echo as a real line of this speed would
        // (one 10-bit character each way).
        int baud = 0;
        SignFault fault;
        // A transfer that goes quiet this long is forgotten; the next starts afresh.
        int idleMs = 2000;
    };
    // How late paced echoes were written against their due times.
    struct PacingError {
        long long echoes = 0;
        long long totalNs = 0;
        long long worstNs = 0;
        // Echoes by whole microseconds late; the last counts everything later still.
        std::array<long long, 256> byMicrosecond{};
        // The median lateness, to the microsecond.
        int medianUs() const;
    };
    using OnImage = std::function<void(const std::vector<DecodedMessage>&)>;
    using OnError = std::function<void(const std::string&)>;

    explicit VirtualSign(Options options);
    ~VirtualSign();
    VirtualSign(const VirtualSign&) = delete;
    VirtualSign& operator=(const VirtualSign&) = delete;

    // Creates the pseudo-terminal.
    Result<void> abrir();
    // The slave device, e.g. "/dev/pts/3".
    const std::string& path() const { return path_; }
    // Answers until stop() is called; fails when the loop cannot go on.
    Result<void> serve(const OnImage& onImage, const OnError& onError);
    // Safe from any thread and from a signal handler.
    void stop();
    // Read once serve() has returned.
    const PacingError& pacingError() const { return pacing_; }

  private:
    void responder(std::uint8_t byte, const OnImage& onImage, const OnError& onError);

    Options options_;
    SignResponder responder_;
    int master_ = -1;
    // Kept open so the master never sees a hang-up between transfers.
    int slave_ = -1;
    int stopPipe_[2] = {-1, -1};
    std::string path_;
    long long lastEchoNs_ = 0;
    PacingError pacing_;
};

} // namespace lumivel
