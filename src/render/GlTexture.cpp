#include "render/GlTexture.h"

#include "render/Gl.h"

namespace {

// Core and forward-compatible contexts dropped GL_CLAMP and reject it as an
// enum; OpenGL ES never had it.
bool contextRejectsLegacyEnums() {
#ifdef __EMSCRIPTEN__
    return true;
#else
    GLint profile = 0;
    GLint flags = 0;
    if (GLEW_VERSION_3_2)
        glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    glGetIntegerv(GL_CONTEXT_FLAGS, &flags);
    return (profile & GL_CONTEXT_CORE_PROFILE_BIT) != 0 || (flags & GL_CONTEXT_FLAG_FORWARD_COMPATIBLE_BIT) != 0;
#endif
}

GLint supportedWrapMode(uint32_t wrapMode) {
    if (wrapMode == wrapClamp && contextRejectsLegacyEnums())
        return GL_CLAMP_TO_EDGE;
    return static_cast<GLint>(wrapMode);
}

} // namespace

uint32_t createRgbaTexture(int width, int height, const void* pixels, uint32_t wrapMode) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const GLint wrap = supportedWrapMode(wrapMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}
