#include "render/SceneFramebuffer.h"

#include "render/Gl.h"

#include <utility>

SceneFramebuffer::~SceneFramebuffer() { destroyColourTarget(target_); }

void SceneFramebuffer::prepare(ScreenSize size) {
    if (!target_.exists()) {
        target_ = createColourTarget(size);
        size_ = size;
    }
}

void SceneFramebuffer::begin(ScreenSize size, int captures, uint32_t shownIn) {
    prepare(size);
    shownIn_ = shownIn;
    capturesLeft_ = captures;
    composing_ = true;
    glBindFramebuffer(GL_FRAMEBUFFER, target_.framebuffer);
    glClear(GL_COLOR_BUFFER_BIT); // the frame starts as the window's did, cleared
}

void SceneFramebuffer::passCapture(ColourTarget& output) {
    std::swap(target_, output);
    composing_ = --capturesLeft_ > 0;
    copyColourTarget(output, composing_ ? target_.framebuffer : shownIn_, size_);
}

void SceneFramebuffer::finish() {
    if (composing_)
        copyColourTarget(target_, shownIn_, size_);
    composing_ = false;
}
