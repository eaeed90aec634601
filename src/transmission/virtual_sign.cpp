// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/virtual_sign.hpp"

#include "base/system_reason.hpp"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <termios.h>
#include <unistd.h>

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace lumivel {
namespace {

// The failed call and the system's reason.
Error systemError(const char* call) {
    return Error{std::string(call) + ": " + systemReason(errno)};
}

long long nowNs() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

// The scheduler wakes a sleeper tens of microseconds late, more on a busy machine; the
// last stretch is spun so an echo leaves within a few microseconds of its deadline.
constexpr long long kSpinNs = 150'000;

// Waits until the absolute time `deadlineNs`: a deadline, unlike a relative sleep, does not
// carry one echo's lateness into the next.
void waitUntil(long long deadlineNs) {
    const long long wakeAt = deadlineNs - kSpinNs;
    if (wakeAt > nowNs()) {
        const timespec t{static_cast<time_t>(wakeAt / 1'000'000'000LL),
                         static_cast<long>(wakeAt % 1'000'000'000LL)};
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
        }
    }
    while (nowNs() < deadlineNs) {
        // Whoever else is ready runs meanwhile: on a pseudo-terminal that includes the kernel
        // worker that carries the bytes, which a spinning process would keep off a processor.
        ::sched_yield();
    }
}

void closeFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

} // namespace

int VirtualSign::PacingError::medianUs() const {
    long long seen = 0;
    for (std::size_t us = 0; us < byMicrosecond.size(); ++us) {
        seen += byMicrosecond[us];
        if (2 * seen >= echoes) {
            return static_cast<int>(us);
        }
    }
    return static_cast<int>(byMicrosecond.size() - 1);
}

VirtualSign::VirtualSign(Options options) : options_(options), responder_(options.fault) {}

VirtualSign::~VirtualSign() {
    closeFd(slave_);
    closeFd(master_);
    closeFd(stopPipe_[0]);
    closeFd(stopPipe_[1]);
}

Result<void> VirtualSign::abrir() {
    if (::pipe2(stopPipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        return systemError("pipe2");
    }
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        return systemError("posix_openpt");
    }
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        return systemError("grantpt/unlockpt");
    }
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        return systemError("ptsname_r");
    }
    path_ = name;
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    // Echoes that nobody reads must never block the sign: a full line drops them.
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        return Error{systemReason(errno), name};
    }
    // Raw until the sender sets its own line: no echo by the terminal, no translation.
    termios mode{};
    if (::tcgetattr(slave_, &mode) == 0) {
        ::cfmakeraw(&mode);
        ::tcsetattr(slave_, TCSANOW, &mode);
    }
    return {};
}

void VirtualSign::stop() {
    if (stopPipe_[1] >= 0) {
        const char c = 'x';
        [[maybe_unused]] const auto written = ::write(stopPipe_[1], &c, 1);
    }
}

Result<void> VirtualSign::serve(const OnImage& onImage, const OnError& onError) {
    if (master_ < 0) {
        return Error{"el letrero virtual no está abierto"};
    }
#ifdef __linux__
    if (options_.baud > 0) {
        // The default 50 us of timer slack would be most of a paced echo's tolerance.
        ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    }
#endif
    std::uint8_t buffer[4096];
    for (;;) {
        pollfd fds[2] = {{master_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        // Right after a paced echo the sender's next byte is due within microseconds: watch
        // for it without sleeping, so its arrival time is not a scheduler wake-up late.
        const bool justEchoed = options_.baud > 0 && nowNs() - lastEchoNs_ < kSpinNs;
        const int delay = justEchoed ? 0 : responder_.decoder().idle() ? -1 : options_.idleMs;
        const int ready = ::poll(fds, 2, delay);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return systemError("poll");
        }
        if (fds[1].revents != 0) {
            return {};
        }
        if (ready == 0 && justEchoed) {
            ::sched_yield();
            continue;
        }
        if (ready == 0) {
            responder_.decoder().reset();
            if (onError) {
                onError("transmisión interrumpida; se espera una nueva");
            }
            continue;
        }
        if ((fds[0].revents & POLLIN) == 0) {
            continue;
        }
        const ssize_t bytesRead = ::read(master_, buffer, sizeof buffer);
        if (bytesRead < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EIO) {
                continue;
            }
            return systemError("read");
        }
        for (ssize_t i = 0; i < bytesRead; ++i) {
            responder(buffer[i], onImage, onError);
        }
    }
}

void VirtualSign::responder(std::uint8_t byte, const OnImage& onImage, const OnError& onError) {
    const long long arrival = nowNs();
    const SignResponder::Answer reply = responder_.responder(byte);
    if (reply.event == SignDecoder::Event::Request) {
        // A new transfer: whatever an earlier one left unread would confuse its check.
        ::tcflush(slave_, TCIFLUSH);
    }
    if (!reply.bytes.empty()) {
        if (options_.baud > 0) {
            // One 10-bit character in from the sender and one out, back to back.
            const long long characterNs = 10'000'000'000LL / options_.baud;
            const long long readyAt = std::max(arrival, lastEchoNs_) + 2 * characterNs;
            waitUntil(readyAt);
            const long long late = nowNs() - readyAt;
            ++pacing_.echoes;
            pacing_.totalNs += late;
            pacing_.worstNs = std::max(pacing_.worstNs, late);
            const auto last = static_cast<long long>(pacing_.byMicrosecond.size() - 1);
            ++pacing_.byMicrosecond[static_cast<std::size_t>(std::clamp(late / 1000, 0LL, last))];
            lastEchoNs_ = readyAt;
        }
        if (options_.fault.kind == SignFault::Kind::Latency) {
            // Held as an adapter holds what it received until its latency timer runs out.
            waitUntil(arrival + options_.fault.n * 1'000'000LL);
        }
        const auto written = ::write(master_, reply.bytes.data(), reply.bytes.size());
        if (written < 0 && onError) {
            onError(std::string("eco perdido: ") + systemReason(errno));
        }
    }
    if (reply.event == SignDecoder::Event::ImageComplete && onImage) {
        onImage(responder_.decoder().takeImage());
    } else if (reply.event == SignDecoder::Event::Error && onError) {
        onError(responder_.decoder().lastError());
    }
}

} // namespace lumivel
