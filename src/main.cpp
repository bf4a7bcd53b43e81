// The quillfront executable: the command line is not read; the program sees one
// argument, the path of its own running image.
#include "app/Shell.h"
#include "platform/Platform.h"

int main() {
    char* args[] = {const_cast<char*>(runningExecutablePath()), nullptr};
    return runProgram(1, args);
}
