// A GL buffer object that remembers its binding target and usage.
#pragma once

#include <cstddef>

#include "engine/types.hpp"

struct Vbo {
    u32 id;
    u32 type;
    bool dynamic;
};

void vbo_init(Vbo *vbo, u32 type, bool dynamic);
void vbo_bind(const Vbo *vbo);
void vbo_buffer(const Vbo *vbo, size_t size, const void *data);
void vbo_free(Vbo *vbo);
