#include "transmission/virtual_sign.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
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
    return Error{std::string(call) + ": " + std::strerror(errno)};
}

long long ahoraNs() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

// The scheduler wakes a sleeper tens of microseconds late, more on a busy machine; the
// last stretch is spun so an echo leaves within a few microseconds of its deadline.
constexpr long long kSpinNs = 150'000;

// Waits until the absolute time `plazoNs`: a deadline, unlike a relative sleep, does not
// carry one echo's lateness into the next.
void waitUntil(long long plazoNs) {
    const long long despertar = plazoNs - kSpinNs;
    if (despertar > ahoraNs()) {
        const timespec t{static_cast<time_t>(despertar / 1'000'000'000LL),
                         static_cast<long>(despertar % 1'000'000'000LL)};
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
        }
    }
    while (ahoraNs() < plazoNs) {
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
    long long vistos = 0;
    for (std::size_t us = 0; us < byMicrosecond.size(); ++us) {
        vistos += byMicrosecond[us];
        if (2 * vistos >= echoes) {
            return static_cast<int>(us);
        }
    }
    return static_cast<int>(byMicrosecond.size() - 1);
}

VirtualSign::VirtualSign(Opciones opciones) : options_(opciones), responder_(opciones.fallo) {}

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
    char nombre[128];
    if (::ptsname_r(master_, nombre, sizeof nombre) != 0) {
        return systemError("ptsname_r");
    }
    path_ = nombre;
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    // Echoes that nobody reads must never block the sign: a full line drops them.
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    slave_ = ::open(nombre, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        return Error{std::strerror(errno), nombre};
    }
    // Raw until the sender sets its own line: no echo by the terminal, no translation.
    termios modo{};
    if (::tcgetattr(slave_, &modo) == 0) {
        ::cfmakeraw(&modo);
        ::tcsetattr(slave_, TCSANOW, &modo);
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
        return Error{"el letrero virtual no esta abierto"};
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
        const bool justEchoed = options_.baud > 0 && ahoraNs() - lastEchoNs_ < kSpinNs;
        const int espera = justEchoed ? 0 : responder_.decoder().idle() ? -1 : options_.idleMs;
        const int listos = ::poll(fds, 2, espera);
        if (listos < 0) {
            if (errno == EINTR) {
                continue;
            }
            return systemError("poll");
        }
        if (fds[1].revents != 0) {
            return {};
        }
        if (listos == 0 && justEchoed) {
            ::sched_yield();
            continue;
        }
        if (listos == 0) {
            responder_.decoder().reset();
            if (onError) {
                onError("transmision interrumpida; se espera una nueva");
            }
            continue;
        }
        if ((fds[0].revents & POLLIN) == 0) {
            continue;
        }
        const ssize_t leidos = ::read(master_, buffer, sizeof buffer);
        if (leidos < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EIO) {
                continue;
            }
            return systemError("read");
        }
        for (ssize_t i = 0; i < leidos; ++i) {
            responder(buffer[i], onImage, onError);
        }
    }
}

void VirtualSign::responder(std::uint8_t byte, const OnImage& onImage, const OnError& onError) {
    const long long llegada = ahoraNs();
    const SignResponder::Answer respuesta = responder_.responder(byte);
    if (respuesta.evento == SignDecoder::Event::Request) {
        // A new transfer: whatever an earlier one left unread would confuse its check.
        ::tcflush(slave_, TCIFLUSH);
    }
    if (!respuesta.bytes.empty()) {
        if (options_.baud > 0) {
            // One 10-bit character in from the sender and one out, back to back.
            const long long characterNs = 10'000'000'000LL / options_.baud;
            const long long listo = std::max(llegada, lastEchoNs_) + 2 * characterNs;
            waitUntil(listo);
            const long long tarde = ahoraNs() - listo;
            ++pacing_.echoes;
            pacing_.totalNs += tarde;
            pacing_.worstNs = std::max(pacing_.worstNs, tarde);
            const auto ultimo = static_cast<long long>(pacing_.byMicrosecond.size() - 1);
            ++pacing_
                  .byMicrosecond[static_cast<std::size_t>(std::clamp(tarde / 1000, 0LL, ultimo))];
            lastEchoNs_ = listo;
        }
        const auto written = ::write(master_, respuesta.bytes.data(), respuesta.bytes.size());
        if (written < 0 && onError) {
            onError(std::string("eco perdido: ") + std::strerror(errno));
        }
    }
    if (respuesta.evento == SignDecoder::Event::ImageComplete && onImage) {
        onImage(responder_.decoder().takeImage());
    } else if (respuesta.evento == SignDecoder::Event::Error && onError) {
        onError(responder_.decoder().lastError());
    }
}

} // namespace lumivel
