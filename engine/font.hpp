// TrueType fonts opened at a fixed point size, and their line metrics.
#pragma once

#include <SDL2/SDL_ttf.h>

#include "engine/types.hpp"

struct Font {
    TTF_Font *font;
    i32 size;
    bool loaded;
};

bool font_init(Font *font, const char *path, i32 size);
void font_free(Font *font);
i32 font_line_skip_get(const Font *font);
i32 font_height_get(const Font *font);
