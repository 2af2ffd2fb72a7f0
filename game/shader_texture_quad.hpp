// Draws one textured, tinted quad: every sprite and every glyph goes through here.
#pragma once

#include "engine/atlas.hpp"
#include "engine/types.hpp"

void shader_texture_quad_draw(const Atlas *atlas, u32 shader, mat4 model, vec2 size, vec4 color);
