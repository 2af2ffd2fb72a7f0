#include "engine/font.hpp"

#include <algorithm>
#include <cmath>

namespace {

f32 raster_scale = 1.0f;

// The size each raster handle was last set to: setting a size empties SDL_ttf's glyph cache,
// so it is done only when the size really changes.
struct RasterSize {
    TTF_Font *handle;
    i32 size;
};
constexpr u32 RASTER_SIZE_COUNT = 16;
RasterSize raster_sizes[RASTER_SIZE_COUNT];

bool raster_size_set(TTF_Font *handle, i32 size) {
    RasterSize *slot = nullptr;
    for (RasterSize &entry : raster_sizes) {
        if (entry.handle == handle) {
            if (entry.size == size) return true;
            slot = &entry;
            break;
        }
        if (!slot && !entry.handle) slot = &entry;
    }
    if (TTF_SetFontSize(handle, size) != 0) return false;
    if (slot) *slot = {handle, size};
    return true;
}

void raster_size_forget(TTF_Font *handle) {
    for (RasterSize &entry : raster_sizes) {
        if (entry.handle == handle) entry = {};
    }
}

} // namespace

bool font_init(Font *font, const char *path, i32 size) {
    font->font = TTF_OpenFont(path, size);
    if (!font->font) return false;
    font->size = size;
    font->loaded = true;
    // Without it text is still drawn, only stretched when scaled.
    font->raster = TTF_OpenFont(path, size);
    return true;
}

void font_free(Font *font) {
    if (!font->loaded) return;
    TTF_CloseFont(font->font);
    if (font->raster) {
        raster_size_forget(font->raster);
        TTF_CloseFont(font->raster);
    }
    // Texts copy the record; a cleared handle keeps them from using a closed font.
    font->font = nullptr;
    font->raster = nullptr;
    font->loaded = false;
}

i32 font_line_skip_get(const Font *font) { return font->font ? TTF_FontLineSkip(font->font) : 0; }

i32 font_height_get(const Font *font) { return font->font ? TTF_FontHeight(font->font) : 0; }

void font_raster_scale_set(f32 scale) { raster_scale = scale > 0.0f && std::isfinite(scale) ? scale : 1.0f; }

f32 font_raster_scale_get() { return raster_scale; }

Font font_raster_get(const Font *font) {
    if (!font->font || !font->raster || font->size <= 0) return *font;
    i32 size = std::max(1, static_cast<i32>(std::lround(static_cast<f64>(font->size) * raster_scale)));
    if (size == font->size) return *font;
    if (!raster_size_set(font->raster, size)) return *font;
    Font raster = *font;
    raster.font = font->raster;
    raster.size = size;
    return raster;
}
