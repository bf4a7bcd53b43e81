#include "render/GlErrors.h"

#include "project/ConsoleLog.h"
#include "render/Gl.h"

#include <cstdio>

int checkGlErrors(const char* label) {
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
        char line[256];
        std::snprintf(line, sizeof line, "ERROR! %s: %x", label, error);
        logLine(line);
    }
    return 0;
}
