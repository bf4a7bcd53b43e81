// What one frame's composition leaves behind that a later frame reads, found
// from the project. Most of a frame is drawn afresh; what carries over is the
// output texture of an effect read before the frame writes it:
// - an effect with feedback, or among its own inputs, reads its last output;
// - in a cycle of input effects, the first one rendered is read by the others
//   as the previous frame left it;
// - a group's replay draws its members without rendering their input effects,
//   so those show what they held when last rendered.
// A render starting part-way through the demo composes, for the frames before
// it, only the input passes that write these textures or feed one that does.
#pragma once

#include "project/Demo.h"

#include <unordered_set>

struct CarriedState {
    // Input effects whose passes write carried state, or feed a pass that does.
    std::unordered_set<const Effect*> passes;
    // A carried output is a capture of the picture: only whole frames bring it up to date.
    bool wholeFrames = false;
};

CarriedState carriedStateOf(const Demo& demo);
