#include "render/GlErrors.h"

#include <GL/glew.h>

#include <cstdio>

int checkGlErrors(const char* label) {
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
        std::printf("ERROR! %s: %x\n", label, error);
    return 0;
}
