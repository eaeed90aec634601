// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission/posix_serial_port.hpp"

#include "base/system_reason.hpp"
#include "transmission/port_refusal.hpp"
#include "transmission/protocol.hpp"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#ifdef __linux__
#include <linux/serial.h>
#endif

namespace lumivel {
namespace {

static_assert(kLineBaud == 9600, "the line's speed constant below must follow kLineBaud");
constexpr speed_t kLineSpeed = B9600;

long long nowNs() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

// A byte out and its echo back: two 10-bit characters on the line.
constexpr long long kEchoNs = 20'000'000'000LL / kLineBaud;
// Around the moment an echo is due the input is watched without sleeping, so it is read the
// moment it arrives rather than a scheduler wake-up (tens to hundreds of microseconds on a
// busy machine) later; at 9600 baud this costs a few percent of one core during a transfer.
constexpr long long kWatchBeforeNs = 150'000;
constexpr long long kWatchAfterNs = 300'000;

// A device without modem lines (a pseudo-terminal) refuses them; that is not a failure.
bool modemLineRefused() {
    return errno == ENOTTY || errno == EINVAL;
}

} // namespace

bool requestLowLatency(int fd) {
#ifdef __linux__
    serial_struct info{};
    if (::ioctl(fd, TIOCGSERIAL, &info) != 0) {
        return false;
    }
    if ((info.flags & ASYNC_LOW_LATENCY) != 0) {
        return true;
    }
    info.flags |= ASYNC_LOW_LATENCY;
    return ::ioctl(fd, TIOCSSERIAL, &info) == 0;
#else
    (void)fd;
    return false;
#endif
}

PosixSerialPort::PosixSerialPort(std::string device) : device_(std::move(device)) {}

PosixSerialPort::~PosixSerialPort() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

Result<void> PosixSerialPort::abrir() {
    if (device_.empty()) {
        return Error{"no se ha indicado ningún puerto"};
    }
    close();
    const std::string path = devicePath(device_);
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        switch (errno) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return Error{refusalReason(PortRefusal::NotFound, {}), device_};
        case EACCES:
        case EPERM:
        case EBUSY:
            return Error{refusalReason(PortRefusal::Denied, deviceAccess(path)), device_};
        default:
            return Error{systemReason(errno), device_};
        }
    }
    struct stat estado {};
    if (::fstat(fd_, &estado) != 0 || !S_ISCHR(estado.st_mode)) {
        close();
        return Error{refusalReason(PortRefusal::NotSerial, {}), device_};
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        close();
        return Error{refusalReason(PortRefusal::Denied, DeviceAccess{}), device_};
    }
    if (Result<void> line = setLine(); !line.ok()) {
        close();
        return line;
    }
    requestLowLatency(fd_);
    return {};
}

Result<void> PosixSerialPort::setLine() {
    termios mode{};
    if (::tcgetattr(fd_, &mode) != 0) {
        if (errno == ENOTTY) {
            return Error{refusalReason(PortRefusal::NotSerial, {}), device_};
        }
        return Error{"no acepta " + std::to_string(kLineBaud) +
                         " baudios 8N1: " + systemReason(errno),
                     device_};
    }
    ::cfmakeraw(&mode);
    mode.c_cflag |= CLOCAL | CREAD | CS8;
    mode.c_cflag &= ~static_cast<tcflag_t>(PARENB | CSTOPB);
#ifdef CRTSCTS
    mode.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
#endif
    mode.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    // One byte satisfies a read; with O_NONBLOCK an empty line then reads as EAGAIN, and a
    // read of 0 can only mean the line hung up.
    mode.c_cc[VMIN] = 1;
    mode.c_cc[VTIME] = 0;
    if (::cfsetispeed(&mode, kLineSpeed) != 0 || ::cfsetospeed(&mode, kLineSpeed) != 0 ||
        ::tcsetattr(fd_, TCSANOW, &mode) != 0) {
        return Error{"no acepta " + std::to_string(kLineBaud) +
                         " baudios 8N1: " + systemReason(errno),
                     device_};
    }
    const int dtr = TIOCM_DTR;
    const int rts = TIOCM_RTS;
    if ((::ioctl(fd_, TIOCMBIS, &dtr) != 0 || ::ioctl(fd_, TIOCMBIC, &rts) != 0) &&
        !modemLineRefused()) {
        return Error{std::string("no acepta las senales DTR/RTS: ") + systemReason(errno), device_};
    }
    return {};
}

void PosixSerialPort::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

Error PosixSerialPort::lose() {
    close();
    return Error{kLineLostReason, device_};
}

Result<std::size_t> PosixSerialPort::escribir(std::string_view bytes) {
    if (fd_ < 0) {
        return Error{"el puerto no está abierto", device_};
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            lastWriteNs_ = nowNs();
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            // The output queue is full: a line that stopped taking bytes for a second is
            // not going to take the rest.
            pollfd output{fd_, POLLOUT, 0};
            if (::poll(&output, 1, 1000) <= 0) {
                return done;
            }
        } else {
            return lose();
        }
    }
    return done;
}

Result<std::string> PosixSerialPort::waitForBytes(int timeoutMs) {
    if (fd_ < 0) {
        return Error{"el puerto no esta abierto", device_};
    }
    const long long deadline = nowNs() + timeoutMs * 1'000'000LL;
    const long long watch = lastWriteNs_ + kEchoNs - kWatchBeforeNs;
    const long long sleep = lastWriteNs_ + kEchoNs + kWatchAfterNs;
    for (;;) {
        const long long now = nowNs();
        const long long remaining = deadline - now;
        long long waitNs = remaining > 0 ? remaining : 0;
        if (now < watch) {
            waitNs = std::min(waitNs, watch - now);
        } else if (now < sleep) {
            waitNs = 0;
        }
        pollfd input{fd_, POLLIN, 0};
        // ppoll: poll's whole milliseconds would sleep past the moment to start watching.
        const timespec delay{static_cast<time_t>(waitNs / 1'000'000'000LL),
                             static_cast<long>(waitNs % 1'000'000'000LL)};
        const int ready = ::ppoll(&input, 1, &delay, nullptr);
        if (ready < 0 && errno != EINTR) {
            return lose();
        }
        if (ready > 0 && (input.revents & POLLIN) != 0) {
            char buffer[4096];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0) {
                return std::string(buffer, static_cast<std::size_t>(n));
            }
            if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                return lose();
            }
        } else if (ready > 0) {
            // Hang-up or error without data: the device is gone.
            return lose();
        }
        if (remaining <= 0) {
            return std::string();
        }
        if (waitNs == 0) {
            // Watching without sleeping: let the kernel worker that delivers the echo run.
            ::sched_yield();
        }
    }
}

void PosixSerialPort::discardInput() {
    if (fd_ < 0) {
        return;
    }
    ::tcflush(fd_, TCIFLUSH);
    char buffer[256];
    while (::read(fd_, buffer, sizeof buffer) > 0) {
    }
}

} // namespace lumivel
