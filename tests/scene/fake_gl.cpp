// Stand-ins for the GL entry points that the Scene's set-up and teardown call; they take
// precedence over the GL library's at link time, so no context is needed.
#include <GL/gl.h>

#include <string>

#include "tests/scene/fakes.h"

void GLAPIENTRY glDisable(GLenum cap) { fakeCalls.push_back("glDisable " + std::to_string(cap)); }

void GLAPIENTRY glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    fakeCalls.push_back("glClearColor " + std::to_string(red) + " " + std::to_string(green) +
                        " " + std::to_string(blue) + " " + std::to_string(alpha));
}

void GLAPIENTRY glDeleteTextures(GLsizei count, const GLuint* names) {
    std::string call = "glDeleteTextures";
    for (GLsizei i = 0; i < count; ++i) {
        call += " " + std::to_string(names[i]);
    }
    fakeCalls.push_back(call);
}
