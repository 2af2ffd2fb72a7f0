#include "engine/glew.hpp"

#include <GL/glew.h>

bool glew_init(unsigned *error) {
    glewExperimental = GL_TRUE;
    GLenum result = glewInit();
    if (error) *error = result;
#ifdef __EMSCRIPTEN__
    // In the browser the GL functions are linked in, not loaded: there is nothing to check.
    return true;
#else
    // On EGL platforms glewInit can report GLEW_ERROR_NO_GLX_DISPLAY although the core
    // entry points were loaded, so the entry points themselves decide.
    return glGenVertexArrays && glBindVertexArray && glGenBuffers && glBufferData && glCreateShader &&
           glVertexAttribIPointer && glGenerateMipmap && glUniformMatrix4fv;
#endif
}
