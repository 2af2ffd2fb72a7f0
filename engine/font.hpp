// TrueType fonts opened at a fixed point size, and their line metrics. Layout always uses that
// size (field pixels); a second handle of the same face rasterises glyphs for the scale the
// field is shown at, so text drawn larger stays sharp instead of being stretched.
#pragma once

#include <SDL2/SDL_ttf.h>

#include "engine/types.hpp"

struct Font {
    TTF_Font *font;
    i32 size;
    bool loaded;
    TTF_Font *raster; // the same face, resized to the current raster scale when glyphs are made
};

bool font_init(Font *font, const char *path, i32 size);
void font_free(Font *font);
i32 font_line_skip_get(const Font *font);
i32 font_height_get(const Font *font);

// How many display pixels one field pixel covers now; 1 at the field's own size.
void font_raster_scale_set(f32 scale);
f32 font_raster_scale_get();
// The font to rasterise glyphs with at the current raster scale: the font itself at scale 1
// (or without a raster handle), else its raster handle set to the nearest whole pixel size.
Font font_raster_get(const Font *font);
