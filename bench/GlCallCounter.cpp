#include "GlCallCounter.h"

#include <GL/glew.h>

uint64_t glCallCount = 0;
uint64_t glObjectsCreated = 0;
uint64_t glPixelReads = 0;

// Entry points exported by libGL itself: the linker sends the program's calls to
// __wrap_name, which reaches the library through __real_name.
#define COUNT_DIRECT(name, params, args)                                                                               \
    extern "C" void __real_##name params;                                                                              \
    extern "C" void __wrap_##name params {                                                                             \
        ++glCallCount;                                                                                                 \
        __real_##name args;                                                                                            \
    }

COUNT_DIRECT(glBindTexture, (GLenum target, GLuint texture), (target, texture))
COUNT_DIRECT(glDrawArrays, (GLenum mode, GLint first, GLsizei count), (mode, first, count))
COUNT_DIRECT(glClear, (GLbitfield mask), (mask))
COUNT_DIRECT(glReadBuffer, (GLenum mode), (mode))
COUNT_DIRECT(glGetIntegerv, (GLenum name, GLint* data), (name, data))
COUNT_DIRECT(glTexImage2D,
             (GLenum target, GLint level, GLint internal, GLsizei width, GLsizei height, GLint border, GLenum format,
              GLenum type, const void* pixels),
             (target, level, internal, width, height, border, format, type, pixels))

#define COUNT_DIRECT_AS(counter, name, params, args)                                                                   \
    extern "C" void __real_##name params;                                                                              \
    extern "C" void __wrap_##name params {                                                                             \
        ++glCallCount;                                                                                                 \
        ++counter;                                                                                                     \
        __real_##name args;                                                                                            \
    }

COUNT_DIRECT_AS(glObjectsCreated, glGenTextures, (GLsizei count, GLuint* names), (count, names))
COUNT_DIRECT_AS(glPixelReads, glReadPixels,
                (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels),
                (x, y, width, height, format, type, pixels))

// Entry points GLEW loads into pointers: keep the real one, install a counting one.
#define COUNT_POINTER(glewPointer, type, params, args)                                                                 \
    namespace {                                                                                                        \
    type real_##glewPointer = nullptr;                                                                                 \
    void GLAPIENTRY counting_##glewPointer params {                                                                    \
        ++glCallCount;                                                                                                 \
        real_##glewPointer args;                                                                                       \
    }                                                                                                                  \
    }

COUNT_POINTER(__glewActiveTexture, PFNGLACTIVETEXTUREPROC, (GLenum unit), (unit))
COUNT_POINTER(__glewUseProgram, PFNGLUSEPROGRAMPROC, (GLuint program), (program))
COUNT_POINTER(__glewUniform1f, PFNGLUNIFORM1FPROC, (GLint at, GLfloat x), (at, x))
COUNT_POINTER(__glewUniform1i, PFNGLUNIFORM1IPROC, (GLint at, GLint x), (at, x))
COUNT_POINTER(__glewUniform2f, PFNGLUNIFORM2FPROC, (GLint at, GLfloat x, GLfloat y), (at, x, y))
COUNT_POINTER(__glewUniform3f, PFNGLUNIFORM3FPROC, (GLint at, GLfloat x, GLfloat y, GLfloat z), (at, x, y, z))
COUNT_POINTER(__glewBindVertexArray, PFNGLBINDVERTEXARRAYPROC, (GLuint array), (array))
COUNT_POINTER(__glewBindFramebuffer, PFNGLBINDFRAMEBUFFERPROC, (GLenum target, GLuint framebuffer),
              (target, framebuffer))
COUNT_POINTER(__glewBlitFramebuffer, PFNGLBLITFRAMEBUFFERPROC,
              (GLint x0, GLint y0, GLint x1, GLint y1, GLint u0, GLint v0, GLint u1, GLint v1, GLbitfield mask,
               GLenum filter),
              (x0, y0, x1, y1, u0, v0, u1, v1, mask, filter))

#define COUNT_CREATION(glewPointer, type)                                                                              \
    namespace {                                                                                                        \
    type real_##glewPointer = nullptr;                                                                                 \
    void GLAPIENTRY counting_##glewPointer(GLsizei count, GLuint* names) {                                             \
        ++glCallCount;                                                                                                 \
        ++glObjectsCreated;                                                                                            \
        real_##glewPointer(count, names);                                                                              \
    }                                                                                                                  \
    }

COUNT_CREATION(__glewGenFramebuffers, PFNGLGENFRAMEBUFFERSPROC)
COUNT_CREATION(__glewGenBuffers, PFNGLGENBUFFERSPROC)

#define INSTALL(glewPointer)                                                                                           \
    real_##glewPointer = glewPointer;                                                                                  \
    glewPointer = counting_##glewPointer

void countGlCalls() {
    INSTALL(__glewActiveTexture);
    INSTALL(__glewUseProgram);
    INSTALL(__glewUniform1f);
    INSTALL(__glewUniform1i);
    INSTALL(__glewUniform2f);
    INSTALL(__glewUniform3f);
    INSTALL(__glewBindVertexArray);
    INSTALL(__glewBindFramebuffer);
    INSTALL(__glewBlitFramebuffer);
    INSTALL(__glewGenFramebuffers);
    INSTALL(__glewGenBuffers);
}
