#include "render/SceneFramebuffer.h"

#include "render/GlTexture.h"
#include "render/ScreenSize.h"

#include <GL/glew.h>

#include <vector>

SceneFramebuffer::~SceneFramebuffer() {
    // Never created: there may be no GL at all.
    if (framebuffer_ == 0)
        return;
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteTextures(1, &texture_);
}

void SceneFramebuffer::bind() {
    if (framebuffer_ == 0) {
        const std::vector<uint8_t> zeros(static_cast<size_t>(screenSize.width) *
                                         static_cast<size_t>(screenSize.height) * 4);
        texture_ = createRgbaTexture(screenSize.width, screenSize.height, zeros.data(), wrapClamp);
        glGenFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_, 0);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void SceneFramebuffer::present() {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, screenSize.width, screenSize.height, 0, 0, screenSize.width, screenSize.height,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
