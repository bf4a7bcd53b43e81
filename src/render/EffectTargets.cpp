#include "render/EffectTargets.h"

#include "render/Gl.h"

#include <utility>

namespace {

// Two triangles covering clip space, as (x, y, z) positions of "vp".
constexpr float fullScreenQuad[18] = {-1, -1, 0, -1, 1, 0, 1, 1, 0, 1, 1, 0, 1, -1, 0, -1, -1, 0};

} // namespace

EffectTargets::~EffectTargets() { reset(); }

void EffectTargets::reset() {
    destroyColourTarget(output);
    destroyColourTarget(spare_);
    if (vertexArray != 0) {
        glDeleteBuffers(1, &vertexBuffer);
        glDeleteVertexArrays(1, &vertexArray);
    }
    vertexBuffer = vertexArray = 0;
    renderingInputs = false;
    drawingSpare_ = false;
    geometryLocation_ = -1;
    geometryReady_ = false;
}

void EffectTargets::initGeometry(int32_t vpLocation) {
    if (vertexArray == 0) {
        glGenVertexArrays(1, &vertexArray);
        glGenBuffers(1, &vertexBuffer);
    }
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof fullScreenQuad, fullScreenQuad, GL_STATIC_DRAW);
    if (vpLocation >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(vpLocation));
        glVertexAttribPointer(static_cast<GLuint>(vpLocation), 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    glBindVertexArray(0);
    geometryLocation_ = vpLocation;
    geometryReady_ = true;
}

void EffectTargets::drawQuad(int32_t vpLocation) {
    if (!geometryReady_ || vpLocation != geometryLocation_)
        initGeometry(vpLocation);
    glBindVertexArray(vertexArray);
    glDrawArrays(GL_TRIANGLES, 0, 6);
}

void EffectTargets::ensureCaptureTarget(ScreenSize size) {
    if (!output.exists())
        output = createColourTarget(size);
}

void EffectTargets::ensureSpare(ScreenSize size) {
    if (!spare_.exists())
        spare_ = createColourTarget(size);
}

void EffectTargets::captureScreen(ScreenSize size) {
    ensureCaptureTarget(size);
    GLint drawFramebuffer = 0;
    GLint readFramebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);

    // The source is whatever the passes draw into: the window's back buffer, or a
    // framebuffer someone draws the demo into.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(drawFramebuffer));
    glReadBuffer(drawFramebuffer == 0 ? GL_BACK : GL_COLOR_ATTACHMENT0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, output.framebuffer);
    glBlitFramebuffer(0, 0, size.width, size.height, 0, 0, size.width, size.height, GL_COLOR_BUFFER_BIT, GL_NEAREST);

    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawFramebuffer));
}

void EffectTargets::beginPass(ScreenSize size, bool samplesOutput) {
    ensureCaptureTarget(size);
    drawingSpare_ = samplesOutput;
    if (drawingSpare_)
        ensureSpare(size);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawingSpare_ ? spare_.framebuffer : output.framebuffer);
    glClear(GL_COLOR_BUFFER_BIT);
}

void EffectTargets::endPass() {
    if (drawingSpare_)
        std::swap(output, spare_);
    drawingSpare_ = false;
}
