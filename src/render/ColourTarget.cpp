#include "render/ColourTarget.h"

#include "render/Gl.h"
#include "render/GlTexture.h"

ColourTarget createColourTarget(ScreenSize size) {
    GLint drawFramebuffer = 0;
    GLfloat clearColour[4] = {};
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);

    ColourTarget target;
    target.texture = createRgbaTexture(size.width, size.height, nullptr, wrapClamp);
    glGenFramebuffers(1, &target.framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.framebuffer);
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target.texture, 0);
    // Zero-filled by the GPU: no window-sized buffer on the CPU.
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawFramebuffer));
    return target;
}

void destroyColourTarget(ColourTarget& target) {
    if (!target.exists())
        return;
    glDeleteFramebuffers(1, &target.framebuffer);
    glDeleteTextures(1, &target.texture);
    target = {};
}

void copyColourTarget(const ColourTarget& from, uint32_t to, ScreenSize size) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from.framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
    glBlitFramebuffer(0, 0, size.width, size.height, 0, 0, size.width, size.height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, to);
}
