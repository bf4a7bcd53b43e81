// The platform layer of the Windows player. Windows names files in UTF-16; the
// program speaks UTF-8, so every path crosses here. The player starts no
// programs: that belongs to the tool, which runs on Linux.
#include "platform/Platform.h"

#include <windows.h>

#include <io.h>

#include <cstdlib>
#include <filesystem>

namespace {

std::wstring wide(const std::string& text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring converted(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), converted.data(), size);
    return converted;
}

std::string utf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), converted.data(), size, nullptr,
                        nullptr);
    return converted;
}

std::error_code lastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

bool writeAll(HANDLE file, const uint8_t* bytes, size_t size) {
    while (size > 0) {
        const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

} // namespace

const char* runningExecutablePath() {
    static const std::string path = [] {
        std::wstring name(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
            if (length < name.size()) {
                name.resize(length);
                return utf8(name);
            }
            name.resize(name.size() * 2);
        }
    }();
    return path.c_str();
}

bool standardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

void showErrorBox(const std::string& title, const std::string& message) {
    if (std::getenv("QUILLFRONT_NO_MESSAGE_BOX"))
        return;
    MessageBoxW(nullptr, wide(message).c_str(), wide(title).c_str(), MB_OK | MB_ICONERROR | MB_TOPMOST);
}

int currentProcessId() { return static_cast<int>(GetCurrentProcessId()); }

std::string hostName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? utf8(std::wstring(name, size)) : "localhost";
}

// One this user may not look at is running too.
bool processIsRunning(int id) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD status = 0;
    const bool running = GetExitCodeProcess(process, &status) && status == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

ChildProcess startProcess(const std::vector<std::string>&, bool, std::string& problem) {
    problem = "the Windows player starts no programs";
    return {};
}

bool writeToProcess(const ChildProcess&, std::span<const uint8_t>) { return false; }

int waitForProcess(ChildProcess&) { return -1; }

std::filesystem::path pathFromUtf8(const std::string& path) { return wide(path); }

std::string utf8Of(const std::filesystem::path& path) { return utf8(path.wstring()); }

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
    return _wfopen(path.c_str(), wide(mode).c_str());
}

std::vector<FolderEntry> listFolder(const std::string& path) {
    std::vector<FolderEntry> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(wide(path), error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code kindError;
        entries.push_back({utf8(entry->path().filename().wstring()), entry->is_regular_file(kindError)});
    }
    return entries;
}

// Windows files carry no permission bits worth copying: `permissionsOf` is not used.
std::error_code writeNewFile(const std::string& path, std::span<const uint8_t> bytes, const std::string&) {
    const std::wstring name = wide(path);
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_EXISTS ? std::make_error_code(std::errc::file_exists) : lastError();
    const bool written = writeAll(file, bytes.data(), bytes.size()) && FlushFileBuffers(file);
    std::error_code error = written ? std::error_code() : lastError();
    if (!CloseHandle(file) && !error)
        error = lastError();
    if (error)
        DeleteFileW(name.c_str());
    return error;
}

// ReplaceFileW keeps the replaced file's attributes and fails where there is
// none; a new name is a plain move, written through to the disk.
std::error_code replaceFile(const std::string& from, const std::string& to) {
    const std::wstring source = wide(from);
    const std::wstring target = wide(to);
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
        ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return {};
    if (!MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastError();
    return {};
}

// The player takes no controllers.
int openUdpReceiver(int, bool, std::string& problem) {
    problem = "the Windows player takes no controllers";
    return -1;
}

int64_t receiveDatagram(int, std::span<uint8_t>, int) { return -1; }

void closeUdpReceiver(int) {}
