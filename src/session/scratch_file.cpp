#include "session/scratch_file.hpp"

#include "base/system_reason.hpp"
#include "session/file_choice.hpp"
#include "session/lumivel.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace lumivel {
namespace fs = std::filesystem;

namespace {

constexpr const char* kScratchPrefix = "sin-nombre-";
constexpr const char* kScratchSuffix = ".men";
constexpr const char* kLockSuffix = ".lock";

std::string home() {
    if (const char* h = std::getenv("HOME"); h != nullptr && h[0] == '/') {
        return h;
    }
    const passwd* entry = getpwuid(geteuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

// Creates `folder` and any missing parent with mode 0700.
Result<void> makeFolder(const fs::path& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        return S_ISDIR(st.st_mode) ? Result<void>{} : Error{systemReason(ENOTDIR), folder.string()};
    }
    if (folder.has_parent_path() && folder.parent_path() != folder) {
        if (Result<void> parent = makeFolder(folder.parent_path()); !parent.ok()) {
            return parent;
        }
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return Error{systemReason(errno), folder.string()};
    }
    return {};
}

std::string stamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

bool isScratchName(const std::string& name) {
    const std::string prefix = kScratchPrefix;
    const std::string suffix = kScratchSuffix;
    return name.size() > prefix.size() + suffix.size() && name.starts_with(prefix) &&
           name.ends_with(suffix);
}

// Active messages of a message file; nothing when it cannot be read as one.
std::optional<int> countMessages(const std::string& path) {
    MessageStore store;
    if (!store.archivo.open(path, MessageFile::Access::ReadOnly).ok() ||
        store.archivo.count() > MessageFile::kMaxRecords || !llenarlista(store).ok()) {
        return std::nullopt;
    }
    return static_cast<int>(store.lstcodigo.size());
}

struct Leftover {
    ScratchLock lock;
    int messages = 0;
    timespec modified{};
};

bool earlier(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec < b.tv_sec : a.tv_nsec < b.tv_nsec;
}

std::string describeTime(const timespec& modified) {
    std::tm local{};
    localtime_r(&modified.tv_sec, &local);
    char text[32];
    std::strftime(text, sizeof text, "%d/%m/%Y %H:%M", &local);
    return text;
}

std::string recoveryQuestion(const Leftover& newest, std::size_t others) {
    const bool single = newest.messages == 1;
    std::string texto = "Hay " + std::to_string(newest.messages) +
                        (single ? " mensaje" : " mensajes") + " de una sesión anterior que no se " +
                        (single ? "guardó" : "guardaron") + " (" + describeTime(newest.modified) +
                        ").\r\n¿Desea recuperarlos?\r\n\r\n"
                        "Sí: recuperarlos para guardarlos con un nombre.\r\n"
                        "No: descartarlos.\r\n"
                        "Cancelar: decidirlo la próxima vez.";
    if (others == 1) {
        texto += "\r\n\r\nQueda otra sesión anterior sin guardar; se ofrecerá al volver a iniciar.";
    } else if (others > 1) {
        texto += "\r\n\r\nQuedan otras " + std::to_string(others) +
                 " sesiones anteriores sin guardar; se ofrecerán al volver a iniciar.";
    }
    return texto;
}

} // namespace

ScratchLock::~ScratchLock() {
    release();
}

ScratchLock::ScratchLock(ScratchLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), file_(std::move(other.file_)) {
    other.file_.clear();
}

ScratchLock& ScratchLock::operator=(ScratchLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
        file_ = std::move(other.file_);
        other.file_.clear();
    }
    return *this;
}

int ScratchLock::lock(const std::string& file, int flags) {
    const std::string lockPath = file + kLockSuffix;
    const int fd =
        ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | flags, 0600);
    if (fd < 0) {
        return errno;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return error;
    }
    // The run that held it may have removed it just before letting go: a lock on a name
    // that no longer leads to this file marks nothing.
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) != 0 || ::lstat(lockPath.c_str(), &named) != 0 ||
        held.st_dev != named.st_dev || held.st_ino != named.st_ino || !S_ISREG(held.st_mode)) {
        ::close(fd);
        return ENOENT;
    }
    release();
    fd_ = fd;
    file_ = file;
    return 0;
}

Result<ScratchLock> ScratchLock::create(const std::string& folder) {
    const std::string base =
        (fs::path(folder) / (kScratchPrefix + stamp() + "-" + std::to_string(::getpid()))).string();
    for (int n = 1;; ++n) {
        const std::string file = base + (n == 1 ? "" : "-" + std::to_string(n)) + kScratchSuffix;
        ScratchLock taken;
        // The lock comes first, so a run looking for leftovers never sees this file unlocked.
        if (const int error = taken.lock(file, O_EXCL); error == EEXIST) {
            continue;
        } else if (error != 0) {
            return Error{systemReason(error), file + kLockSuffix};
        }
        const int fd =
            ::open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            const int error = errno;
            ::unlink((file + kLockSuffix).c_str());
            if (error == EEXIST) {
                continue;
            }
            return Error{systemReason(error), file};
        }
        ::close(fd);
        return taken;
    }
}

Result<ScratchLock> ScratchLock::acquire(const std::string& file) {
    ScratchLock taken;
    if (const int error = taken.lock(file, 0); error != 0) {
        return Error{error == EBUSY ? "lo usa otra sesión abierta" : systemReason(error), file};
    }
    return taken;
}

void ScratchLock::discard() {
    if (held()) {
        ::unlink(file_.c_str());
        ::unlink((file_ + kLockSuffix).c_str());
    }
    release();
}

void ScratchLock::release() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
    file_.clear();
}

Result<std::string> scratchFolder() {
    fs::path base;
    // Relative values are to be ignored, as the XDG base directory rules say.
    if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && state[0] == '/') {
        base = state;
    } else {
        const std::string h = home();
        if (h.empty()) {
            return Error{"no se conoce la carpeta personal del usuario"};
        }
        base = fs::path(h) / ".local" / "state";
    }
    const fs::path folder = base / "simlumivel";
    if (Result<void> made = makeFolder(folder); !made.ok()) {
        return made.error();
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        return Error{systemReason(errno), folder.string()};
    }
    if (st.st_uid != ::geteuid()) {
        return Error{"la carpeta pertenece a otro usuario", folder.string()};
    }
    return folder.string();
}

Result<void> openScratchFile(Lumivel& l, const std::string& requestedFolder) {
    std::string target = requestedFolder;
    if (target.empty()) {
        Result<std::string> folder = scratchFolder();
        if (!folder.ok()) {
            return folder.error();
        }
        target = folder.value();
    }
    Result<ScratchLock> created = ScratchLock::create(target);
    if (!created.ok()) {
        return created.error();
    }
    ScratchLock fresh = std::move(created).value();
    discardEmptyScratch(l);
    if (Result<void> opened = openMessageFile(l, fresh.file()); !opened.ok()) {
        fresh.discard();
        return opened;
    }
    l.scratchLock = std::move(fresh);
    l.isScratchFile = true;
    return {};
}

void discardScratch(Lumivel& l) {
    if (l.isScratchFile && l.archivo.isOpen() && l.archivo.path() == l.scratchLock.file()) {
        l.archivo.close();
        l.isScratchFile = false;
        (void)llenarlista(l); // nothing open: empties the list
    }
    l.scratchLock.discard();
}

void discardEmptyScratch(Lumivel& l) {
    if (l.isScratchFile && l.totalmensajes == 0 && l.archivo.isOpen()) {
        discardScratch(l);
    }
}

bool leaveScratch(Lumivel& l, Dialogs& d) {
    if (!l.isScratchFile || !l.archivo.isOpen() || l.totalmensajes == 0) {
        return true;
    }
    MessageBoxSpec box;
    box.title = "Mensajes sin guardar";
    box.texto = "Los mensajes solo están en un archivo temporal.\r\n"
                "¿Desea guardarlos en un archivo antes?";
    box.buttons = Buttons::YesNoCancel;
    box.icon = Icon::Question;
    box.defaultAnswer = Answer::Yes;
    switch (d.mensaje(box)) {
    case Answer::Yes:
        return guardar_Click(l, d);
    case Answer::No:
        // The user does not want them: nothing is left behind.
        discardScratch(l);
        return true;
    default:
        return false;
    }
}

void offerScratchRecovery(Lumivel& l, Dialogs& d, const std::string& requestedFolder) {
    if (l.archivo.isOpen()) {
        return;
    }
    std::string folder = requestedFolder;
    if (folder.empty()) {
        Result<std::string> found = scratchFolder();
        if (!found.ok()) {
            return; // the first message added reports it
        }
        folder = found.value();
    }
    std::vector<Leftover> leftovers;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (!isScratchName(name) || !entry.is_regular_file(ec) || entry.is_symlink(ec)) {
            continue;
        }
        Result<ScratchLock> lock = ScratchLock::acquire(entry.path().string());
        if (!lock.ok()) {
            continue; // a running instance owns it
        }
        const std::optional<int> messages = countMessages(entry.path().string());
        if (!messages) {
            continue; // not readable as messages: left as it is
        }
        if (*messages == 0) {
            lock->discard();
            continue;
        }
        struct stat st {};
        if (::lstat(entry.path().c_str(), &st) != 0) {
            continue;
        }
        leftovers.push_back({std::move(lock).value(), *messages, st.st_mtim});
    }
    if (leftovers.empty()) {
        return;
    }
    const auto newest = std::max_element(
        leftovers.begin(), leftovers.end(), [](const Leftover& a, const Leftover& b) {
            if (earlier(a.modified, b.modified) || earlier(b.modified, a.modified)) {
                return earlier(a.modified, b.modified);
            }
            return a.lock.file() < b.lock.file();
        });

    MessageBoxSpec box;
    box.title = "Mensajes sin guardar";
    box.texto = recoveryQuestion(*newest, leftovers.size() - 1);
    box.buttons = Buttons::YesNoCancel;
    box.icon = Icon::Question;
    box.defaultAnswer = Answer::Yes;
    switch (d.mensaje(box)) {
    case Answer::Yes:
        if (Result<void> opened = openMessageFile(l, newest->lock.file()); !opened.ok()) {
            showFileError(d, "No se pudieron recuperar los mensajes.", opened.error());
            return;
        }
        l.scratchLock = std::move(newest->lock);
        l.isScratchFile = true;
        break;
    case Answer::No:
        newest->lock.discard();
        break;
    default:
        break;
    }
}

} // namespace lumivel
