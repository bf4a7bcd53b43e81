// Counts the GL calls the program makes, for benchmarks. GL 1.1 entry points are
// linked directly against libGL and are counted through the linker's --wrap;
// later ones are GLEW function pointers, swapped for counting ones once a context
// exists.
#pragma once

#include <cstdint>

extern uint64_t glCallCount;
extern uint64_t glObjectsCreated; // textures, framebuffers and buffers
extern uint64_t glPixelReads;     // read-backs of pixels into memory

// Call after glewInit.
void countGlCalls();
