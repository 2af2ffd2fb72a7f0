// A vertex array object.
#pragma once

#include "engine/types.hpp"

struct Vao {
    u32 id;
};

void vao_init(Vao *vao);
void vao_bind(const Vao *vao);
void vao_unbind();
void vao_free(Vao *vao);
