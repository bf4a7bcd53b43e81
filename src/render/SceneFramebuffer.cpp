#include "render/SceneFramebuffer.h"

#include "render/GlTexture.h"

#include <GL/glew.h>

#include <vector>

SceneFramebuffer::~SceneFramebuffer() {
    // Never created: there may be no GL at all.
    if (framebuffer_ == 0)
        return;
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteTextures(1, &texture_);
}

void SceneFramebuffer::bind(ScreenSize size) {
    if (framebuffer_ == 0) {
        size_ = size;
        const std::vector<uint8_t> zeros(static_cast<size_t>(size.width) * static_cast<size_t>(size.height) * 4);
        texture_ = createRgbaTexture(size.width, size.height, zeros.data(), wrapClamp);
        glGenFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_, 0);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void SceneFramebuffer::present() {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, size_.width, size_.height, 0, 0, size_.width, size_.height, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
