// What the program asks of the operating system beyond SDL and the C++
// library: the running executable, processes, folders and files written so
// that a crash never leaves them half done. Nothing above this layer calls the
// system for these. Posix.cpp serves every POSIX system; PlatformLinux.cpp and
// PlatformWeb.cpp hold what differs; PlatformWindows.cpp is the Windows
// player's. Paths are UTF-8 text everywhere.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>
#include <vector>

// ---------------------------------------------------------------------------
// The running program
// ---------------------------------------------------------------------------

// A path that opens the image of the running executable, for reading the project
// appended to it and for copying it into a standalone player.
const char* runningExecutablePath();

// Whether standard error goes to a terminal (a progress bar may redraw itself there).
bool standardErrorIsTerminal();

// Shows `message` in a box the user must close, where the system has one and
// QUILLFRONT_NO_MESSAGE_BOX is unset (tests set it); a player whose console
// nobody sees reports a fatal error this way.
void showErrorBox(const std::string& title, const std::string& message);

// ---------------------------------------------------------------------------
// Processes
// ---------------------------------------------------------------------------

int currentProcessId();
// This machine's name on the network, to tell whose a process id is.
std::string hostName();
// Whether process `id` is running; one of another user counts.
bool processIsRunning(int id);

// A program started by this one.
struct ChildProcess {
    int id = -1;
    int input = -1; // the write end of a pipe to its standard input, or -1
};

// Starts the program `argv[0]` (looked up on the PATH when it names no folder)
// with the arguments `argv`; with `pipeInput`, its standard input is a pipe that
// this process writes to. On failure the id is -1 and `problem` says why.
ChildProcess startProcess(const std::vector<std::string>& argv, bool pipeInput, std::string& problem);
// Writes all of `bytes` to the process's input pipe; false when it has stopped reading.
bool writeToProcess(const ChildProcess& process, std::span<const uint8_t> bytes);
// Closes the process's input pipe, waits for it to end and returns its exit
// status; 128 + the signal's number when a signal ended it.
int waitForProcess(ChildProcess& process);

// ---------------------------------------------------------------------------
// Folders and files
// ---------------------------------------------------------------------------

// The path the UTF-8 text `path` names: Windows reads a narrow name in its own
// code page instead.
std::filesystem::path pathFromUtf8(const std::string& path);
// The UTF-8 text of `path`.
std::string utf8Of(const std::filesystem::path& path);
// std::fopen for `path`, whatever characters it holds.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

struct FolderEntry {
    std::string name;
    bool isFile = false; // a regular file, not a folder, a device or anything else
};
// The entries of the folder `path`, in no particular order; none when it
// cannot be read.
std::vector<FolderEntry> listFolder(const std::string& path);

// Creates the file `path`, which must not exist yet (the error is
// `std::errc::file_exists` when it does), writes `bytes` to it and flushes them
// to the disk. It takes the permissions of the file `permissionsOf` when that
// exists, else those of a new file. On any other error it is removed again.
std::error_code writeNewFile(const std::string& path, std::span<const uint8_t> bytes, const std::string& permissionsOf);
// Puts the file `from` in the place of `to` in one step, replacing what was
// there, and makes the change survive a crash as far as the system allows.
std::error_code replaceFile(const std::string& from, const std::string& to);

// ---------------------------------------------------------------------------
// Network
// ---------------------------------------------------------------------------

// A UDP socket taking datagrams on `port`: from this machine alone (127.0.0.1),
// or with `anyAddress` from the network too. -1 when it cannot be opened, and
// `problem` says why.
int openUdpReceiver(int port, bool anyAddress, std::string& problem);
// Waits up to `timeoutMs` for a datagram and copies what fits of it into
// `buffer`. Returns its whole size (more than the buffer holds when it was cut
// short), 0 when none came, or -1 when the socket failed.
int64_t receiveDatagram(int socket, std::span<uint8_t> buffer, int timeoutMs);
void closeUdpReceiver(int socket);
