#include "engine/vao.hpp"

#include <GL/glew.h>

void vao_init(Vao *vao) { glGenVertexArrays(1, &vao->id); }
void vao_bind(const Vao *vao) { glBindVertexArray(vao->id); }
void vao_unbind() { glBindVertexArray(0); }

void vao_free(Vao *vao) {
    glDeleteVertexArrays(1, &vao->id);
    vao->id = 0;
}
