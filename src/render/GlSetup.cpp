#include "render/GlSetup.h"

#include "render/Gl.h"

void setCompositionState() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    // Every layer of the demo is composited over the previous ones with this blend state.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}
