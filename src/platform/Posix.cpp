// The parts of the platform layer every POSIX system (Linux, and emscripten's
// emulation of it) does alike: processes, folders and durable files.
#include "platform/Platform.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace {

std::error_code lastError() { return {errno, std::system_category()}; }

// Writes all of `bytes` to `fd`; false when it stops taking them.
bool writeAll(int fd, const uint8_t* bytes, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Makes a rename in the folder of `path` survive a crash; best effort, as some
// file systems cannot sync folders.
void syncFolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO) != 0; }

// A desktop there has a terminal or a log for the message: nothing to show.
void showErrorBox(const std::string&, const std::string&) {}

int currentProcessId() { return static_cast<int>(::getpid()); }

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return "localhost";
    return name;
}

// Another user's process answers EPERM, and is running too.
bool processIsRunning(int id) { return ::kill(static_cast<pid_t>(id), 0) == 0 || errno != ESRCH; }

bool writeToProcess(const ChildProcess& process, std::span<const uint8_t> bytes) {
    return process.input != -1 && writeAll(process.input, bytes.data(), bytes.size());
}

std::filesystem::path pathFromUtf8(const std::string& path) { return path; }

std::string utf8Of(const std::filesystem::path& path) { return path.string(); }

std::FILE* openFile(const std::filesystem::path& path, const char* mode) { return std::fopen(path.c_str(), mode); }

std::vector<FolderEntry> listFolder(const std::string& path) {
    std::vector<FolderEntry> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(path, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code kindError;
        entries.push_back({entry->path().filename().string(), entry->is_regular_file(kindError)});
    }
    return entries;
}

std::error_code writeNewFile(const std::string& path, std::span<const uint8_t> bytes,
                             const std::string& permissionsOf) {
    // A new file gets the default permissions (the process umask applies).
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return lastError();
    struct stat existing;
    const bool written =
        (::stat(permissionsOf.c_str(), &existing) != 0 || ::fchmod(fd, existing.st_mode & 07777) == 0) &&
        writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    std::error_code error = written ? std::error_code() : lastError();
    if (::close(fd) != 0 && !error)
        error = lastError();
    if (error)
        ::unlink(path.c_str());
    return error;
}

std::error_code replaceFile(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0)
        return lastError();
    syncFolderOf(to);
    return {};
}

int openUdpReceiver(int port, bool anyAddress, std::string& problem) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        problem = lastError().message();
        return -1;
    }
    // Room for a burst while the reading thread waits its turn; the system may allow less.
    const int bufferBytes = 1 << 20;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &bufferBytes, sizeof bufferBytes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(anyAddress ? INADDR_ANY : INADDR_LOOPBACK);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        problem = lastError().message();
        ::close(fd);
        return -1;
    }
    return fd;
}

int64_t receiveDatagram(int socket, std::span<uint8_t> buffer, int timeoutMs) {
    pollfd waiting{socket, POLLIN, 0};
    const int ready = ::poll(&waiting, 1, timeoutMs);
    if (ready == 0 || (ready < 0 && errno == EINTR))
        return 0;
    if (ready < 0)
        return -1;
    // MSG_TRUNC: the datagram's whole size, however much of it fits.
    const ssize_t size = ::recv(socket, buffer.data(), buffer.size(), MSG_TRUNC);
    return size < 0 ? -1 : size;
}

void closeUdpReceiver(int socket) { ::close(socket); }
