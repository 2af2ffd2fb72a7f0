#include "engine/vbo.hpp"

#include <GL/glew.h>

void vbo_init(Vbo *vbo, u32 type, bool dynamic) {
    vbo->type = type;
    vbo->dynamic = dynamic;
    glGenBuffers(1, &vbo->id);
}

void vbo_bind(const Vbo *vbo) { glBindBuffer(vbo->type, vbo->id); }

void vbo_buffer(const Vbo *vbo, size_t size, const void *data) {
    glBufferData(vbo->type, static_cast<GLsizeiptr>(size), data, vbo->dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
}

void vbo_free(Vbo *vbo) {
    glDeleteBuffers(1, &vbo->id);
    *vbo = {};
}
