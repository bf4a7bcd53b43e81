// The OpenGL API of this build: GLEW's loader of desktop OpenGL, or in the
// WebAssembly build OpenGL ES 3.0, which is what WebGL 2 offers. The render
// code includes this header, never one of the two directly.
#pragma once

#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>
#else
#include <GL/glew.h>
#endif
