// The open project with the run-time caches built from it. A load replaces all
// three together, so no cache ever outlives the objects it was built from.
#pragma once

#include "audio/AudioCache.h"
#include "project/Demo.h"
#include "render/RenderCache.h"

#include <memory>

struct OpenProject {
    std::unique_ptr<Demo> demo = std::make_unique<Demo>();
    std::unique_ptr<RenderCache> render = std::make_unique<RenderCache>();
    std::unique_ptr<AudioCache> audio = std::make_unique<AudioCache>();
};
