#include "engine/vertex_attribute.hpp"

#include <GL/glew.h>

void vertex_attribute_set(u32 index, i32 count, u32 type, i32 stride, uintptr_t offset) {
    const void *pointer = reinterpret_cast<const void *>(offset);
    switch (type) {
    case GL_BYTE:
    case GL_UNSIGNED_BYTE:
    case GL_SHORT:
    case GL_UNSIGNED_SHORT:
    case GL_INT:
    case GL_UNSIGNED_INT:
        glVertexAttribIPointer(index, count, type, stride, pointer);
        break;
    default:
        glVertexAttribPointer(index, count, type, GL_FALSE, stride, pointer);
        break;
    }
    glEnableVertexAttribArray(index);
}
