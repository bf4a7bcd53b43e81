// The open project with the run-time caches built from it. A load replaces all
// three together, so no cache ever outlives the objects it was built from.
#pragma once

#include "audio/AudioCache.h"
#include "project/Demo.h"
#include "project/ObjectRef.h"
#include "render/RenderCache.h"

#include <memory>
#include <vector>

struct OpenProject {
    std::unique_ptr<Demo> demo = std::make_unique<Demo>();
    std::unique_ptr<RenderCache> render = std::make_unique<RenderCache>();
    std::unique_ptr<AudioCache> audio = std::make_unique<AudioCache>();
    // Objects an edit took out of the project. What the caches built from them
    // is released at the start of the next frame, since the GUI may still draw
    // their textures in this one.
    std::vector<ObjectRef> left;

    void releaseWhatLeft() {
        for (const ObjectRef& object : left) {
            render->release(object);
            audio->release(object);
        }
        left.clear();
    }
};
