#include "engine/glyph.hpp"

#include <GL/glew.h>

#include <algorithm>

#include "engine/surface.hpp"

namespace {

// Characters are single bytes handed to SDL_ttf sign-extended, as the game always has.
Uint16 glyph_code(char c) { return static_cast<Uint16>(static_cast<i16>(static_cast<i8>(c))); }

} // namespace

void glyph_metrics_get(GlyphMetrics *metrics, const Font *font, char c) {
    *metrics = {};
    if (!font->font) return;
    int min_x = 0, max_x = 0, min_y = 0, max_y = 0, advance = 0;
    // A character the font cannot measure counts as an empty glyph.
    if (TTF_GlyphMetrics(font->font, glyph_code(c), &min_x, &max_x, &min_y, &max_y, &advance) != 0) return;
    *metrics = {min_x, min_y, max_x, max_y, advance};
}

i32 glyph_kerning_get(const Font *font, char previous, char next) {
    if (!font->font) return 0;
    return TTF_GetFontKerningSizeGlyphs(font->font, glyph_code(previous), glyph_code(next));
}

i32 glyph_width_get(const Font *font, char c) {
    GlyphMetrics metrics;
    glyph_metrics_get(&metrics, font, c);
    return metrics.max_x - metrics.min_x;
}

bool glyph_texture_init(Texture *texture, const Font *font, char c) {
    GlyphMetrics metrics;
    glyph_metrics_get(&metrics, font, c);
    SDL_Surface *surface = nullptr;
    surface_rgba_init(&surface, {metrics.max_x - metrics.min_x, font_height_get(font)});
    SDL_Surface *glyph = font->font ? TTF_RenderGlyph_Blended(font->font, glyph_code(c), {255, 255, 255, 255}) : nullptr;
    if (glyph && surface) {
        // SDL_ttf renders a glyph with its pen at the surface's left edge, so the ink starts
        // min_x columns in (or at 0 when the glyph reaches left of its pen), and the top row is
        // the ascent unless the glyph rises above it. The texture keeps just the ink box; the
        // text places it min_x from the pen.
        SDL_Rect ink = {std::max(metrics.min_x, 0), std::max(metrics.max_y - TTF_FontAscent(font->font), 0),
                        metrics.max_x - metrics.min_x, surface->h};
        SDL_UpperBlit(glyph, &ink, surface, nullptr);
    }
    SDL_FreeSurface(glyph);
    texture_surface_init(texture, surface);
    // With repeat wrapping, linear filtering at a fractional pen position blends a glyph's
    // last column into its first and draws faint lines beside every letter; glyphs are
    // always drawn whole, so they clamp to their edges instead.
    if (surface) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    SDL_FreeSurface(surface);
    return true;
}
