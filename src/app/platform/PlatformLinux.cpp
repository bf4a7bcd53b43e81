#include "app/platform/Platform.h"

// The kernel's link keeps pointing at the image this process was started from,
// even if the file on disk has since been rebuilt or replaced.
const char* runningExecutablePath() { return "/proc/self/exe"; }
