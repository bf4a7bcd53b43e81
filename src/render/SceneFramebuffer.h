// Where a frame whose layers take screen captures is composed until its last
// capture: an RGBA8 texture of the screen's size with a framebuffer over it. A
// capture trades textures with the capturing effect's output instead of copying
// into it, then carries the picture on with one copy: back into the scene while
// more captures are to come, else into the framebuffer the frame is shown in, where
// the remaining layers draw.
#pragma once

#include "render/ColourTarget.h"
#include "render/ScreenSize.h"

#include <cstdint>

class SceneFramebuffer {
public:
    SceneFramebuffer() = default;
    ~SceneFramebuffer();
    SceneFramebuffer(const SceneFramebuffer&) = delete;
    SceneFramebuffer& operator=(const SceneFramebuffer&) = delete;

    // Creates it, when it does not exist yet, so that the first frame does not.
    void prepare(ScreenSize size);
    // Makes it the target of drawing, cleared, for a frame that takes `captures`
    // screen captures and is finally shown in the framebuffer `shownIn`.
    void begin(ScreenSize size, int captures, uint32_t shownIn);
    // True between begin() and the last capture or finish().
    bool composing() const { return composing_; }
    uint32_t framebuffer() const { return target_.framebuffer; }
    // Hands the picture drawn so far to `output`, which must exist, and leaves the
    // target of drawing holding the same picture.
    void passCapture(ColourTarget& output);
    // Copies the picture into the framebuffer it is shown in, when it is still
    // composed here, and makes that the target.
    void finish();

private:
    ColourTarget target_;
    ScreenSize size_;
    uint32_t shownIn_ = 0;
    int capturesLeft_ = 0;
    bool composing_ = false;
};
