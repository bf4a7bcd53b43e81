// Runs under wine: the Windows platform layer with the model's file functions
// on names outside ASCII, as a save, a load and a player's start use them.
// Prints each failed check and exits with status 1 when there is one.
#include "platform/Platform.h"
#include "project/FileIo.h"
#include "project/ProjectFiles.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

int failures = 0;

void check(bool passed, const char* what) {
    if (!passed) {
        std::printf("failed: %s\n", what);
        ++failures;
    }
}

} // namespace

int main() {
    const std::string executable = runningExecutablePath();
    check(executable.ends_with("quillfront-platform-check.exe"), "the executable's own path");
    check(tryReadWholeFile(pathFromUtf8(executable)).has_value(), "the executable reads");
    check(!readAppendedProject(pathFromUtf8(executable)), "nothing appended to a bare program");

    const std::string folder = "D\xc3\xa9mo \xc3\xbcn\xc3\xaf"; // "Démo ünï"
    const std::string name = "pr\xc3\xb8ject.json";             // "prøject.json"
    const std::string file = folder + "/" + name;
    std::filesystem::create_directory(pathFromUtf8(folder));
    check(!writeWholeFile(pathFromUtf8(file), std::string_view("first")), "a new file is written");
    // What a save killed midway leaves: the temporary of a process that is gone.
    const std::string leftover = folder + "/." + name + ".tmp999999-0";
    check(!writeWholeFile(pathFromUtf8(leftover), std::string_view("half")), "a leftover is written");
    check(!processIsRunning(999999) && processIsRunning(currentProcessId()), "which processes run");
    check(!writeWholeFile(pathFromUtf8(file), std::string_view("second")), "a file is replaced");
    check(tryReadWholeFile(pathFromUtf8(file)) == "second", "the replaced file reads back");
    const std::vector<FolderEntry> entries = listFolder(folder);
    check(entries.size() == 1 && entries[0].name == name && entries[0].isFile,
          "the folder holds the file alone, under its own name");
    if (std::FILE* opened = openFile(pathFromUtf8(file), "rb"))
        std::fclose(opened);
    else
        check(false, "the file opens");
    check(utf8Of(pathFromUtf8(file)) == file, "names go to UTF-16 and back");
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
