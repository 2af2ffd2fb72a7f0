#include "engine/font.hpp"

bool font_init(Font *font, const char *path, i32 size) {
    font->font = TTF_OpenFont(path, size);
    if (!font->font) return false;
    font->size = size;
    font->loaded = true;
    return true;
}

void font_free(Font *font) {
    if (!font->loaded) return;
    TTF_CloseFont(font->font);
    // Texts copy the record; a cleared handle keeps them from using a closed font.
    font->font = nullptr;
    font->loaded = false;
}

i32 font_line_skip_get(const Font *font) { return font->font ? TTF_FontLineSkip(font->font) : 0; }

i32 font_height_get(const Font *font) { return font->font ? TTF_FontHeight(font->font) : 0; }
