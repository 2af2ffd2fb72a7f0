// Per-character metrics, kerning and one white texture per character.
#pragma once

#include "engine/font.hpp"
#include "engine/texture.hpp"
#include "engine/types.hpp"

struct GlyphMetrics {
    i32 min_x;
    i32 min_y;
    i32 max_x;
    i32 max_y;
    i32 advance;
};

void glyph_metrics_get(GlyphMetrics *metrics, const Font *font, char c);
i32 glyph_kerning_get(const Font *font, char previous, char next);
i32 glyph_width_get(const Font *font, char c);
bool glyph_texture_init(Texture *texture, const Font *font, char c);
