// A texture seen as a grid of equal cells; turns the current cell into texture coordinates.
#pragma once

#include "engine/texture.hpp"
#include "engine/types.hpp"

struct Atlas {
    Texture texture;
    i32 cell_width;
    i32 cell_height;
    i32 rows;
    i32 columns;
    i32 frame;
};

void atlas_init(Atlas *atlas, Texture texture, i32 cell_width, i32 cell_height, i32 rows, i32 columns);
void atlas_uv_get(const Atlas *atlas, vec2 *uv_min, vec2 *uv_max);
