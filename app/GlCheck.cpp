#include "app/GlCheck.h"

#ifndef NDEBUG
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

void CheckGlErrors(const char* where) {
    // A context-less call loops on GL_INVALID_OPERATION forever with some drivers: stop at 8.
    for (int i = 0; i < 8; ++i) {
        GLenum error = glGetError();
        if (error == GL_NO_ERROR) {
            return;
        }
        std::fprintf(stderr, "kestrane: GL error in %s: %s\n", where,
                     reinterpret_cast<const char*>(gluErrorString(error)));
    }
}
#endif
