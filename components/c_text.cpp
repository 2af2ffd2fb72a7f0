#include "components/c_text.hpp"

#include <cstring>

#include "engine/glyph.hpp"
#include "game/game.hpp"
#include "game/shader_texture_quad.hpp"

namespace {

void glyphs_free(CText *text) {
    for (i32 i = 0; i < text->length && i < C_TEXT_LENGTH_MAX; i++) {
        if (text->glyphs[i].generated) texture_free(&text->glyphs[i]);
    }
    std::memset(text->glyphs, 0, sizeof text->glyphs);
}

// Glyphs are rasterised for the scale the field is shown at; layout keeps the font's own metrics.
void glyphs_make(CText *text) {
    Font raster = font_raster_get(&text->font);
    for (i32 i = 0; i < text->length; i++) {
        glyph_texture_init(&text->glyphs[i], &raster, text->string[i]);
    }
    text->raster_scale = font_raster_scale_get();
}

void add(void *record) {
    CText *text = static_cast<CText *>(record);
    text->scale = 1.0f;
    text->color = {1.0f, 1.0f, 1.0f, 1.0f};
}

void delete_(void *record) { glyphs_free(static_cast<CText *>(record)); }

bool line_breaks_at(const CText *text, char c, f32 line_width) {
    return c == ' ' && text->wrap_width != -1 && line_width > static_cast<f32>(text->wrap_width);
}

void draw(void *record) {
    CText *text = static_cast<CText *>(record);
    if (text->length == 0 || !text->font.font) return;
    if (text->raster_scale != font_raster_scale_get()) {
        glyphs_free(text);
        glyphs_make(text);
    }
    Font raster = font_raster_get(&text->font);
    // Raster pixels per field pixel: exactly 1 at the field's own size.
    f32 density = static_cast<f32>(raster.size) / static_cast<f32>(text->font.size);

    // Between the last two steps where the frame falls between them; the record is not written.
    vec3 position = text->position;
    vec4 color = text->color;
    if (const DrawnEntry *before = game_drawn_previous(text->entity)) {
        position = game_drawn_blend(before->text_position, text->position);
        color = game_drawn_blend(before->text_color, text->color);
    }
    vec4 rectangle;
    c_text_rectangle_get(text, &rectangle);
    vec2 size = {rectangle.z - rectangle.x, rectangle.w - rectangle.y};
    vec2 offset;
    origin_2d_get(text->origin, size, &offset);
    f32 x0 = position.x - offset.x;
    f32 y = position.y - offset.y;
    f32 line_height = static_cast<f32>(font_line_skip_get(&text->font)) * text->scale;

    f32 pen_x = x0;
    f32 line_width = 0.0f;
    for (i32 i = 0; i < text->length; i++) {
        char c = text->string[i];
        char next = text->string[i + 1];
        if (c == '\n' || line_breaks_at(text, c, line_width)) {
            y += line_height;
            pen_x = x0;
            line_width = 0.0f;
            if (c == '\n') continue;
        }
        i32 kerning = glyph_kerning_get(&text->font, c, next);
        GlyphMetrics metrics;
        glyph_metrics_get(&metrics, &text->font, c);
        // At the field's own size the raster font is the font itself.
        GlyphMetrics ink = metrics;
        if (raster.font != text->font.font) glyph_metrics_get(&ink, &raster, c);

        const Texture &glyph = text->glyphs[i];
        Atlas atlas;
        atlas_init(&atlas, glyph, glyph.width, glyph.height, 1, 1);
        mat4 model(1.0f);
        // The glyph texture holds the ink box only; the font puts it min_x from the pen. The pen
        // moves by the field-size metrics whatever the raster size, so layout never changes.
        model[3] = {pen_x + static_cast<f32>(ink.min_x) / density * text->scale, y, position.z, 1.0f};
        vec2 quad = {static_cast<f32>(glyph.width) / density * text->scale,
                     static_cast<f32>(glyph.height) / density * text->scale};
        shader_texture_quad_draw(&atlas, text->shader, model, quad, color);

        f32 advance = static_cast<f32>(metrics.advance + kerning) * text->scale;
        pen_x += advance;
        line_width += advance;
    }
}

} // namespace

void c_text_register() {
    ecs_register(C_TEXT, sizeof(CText), ECS_RECORD_CAPACITY, add, delete_, nullptr, nullptr, draw);
    ecs_release_set(C_TEXT, delete_);
}

void c_text_set(CText *text, u32 shader, Origin origin, const Font *font, const char *string, i32 length,
                i32 wrap_width, const vec4 *color, const vec3 *position) {
    text->position = *position;
    text->shader = shader;
    text->origin = origin;
    text->font = *font;
    text->wrap_width = wrap_width;
    text->color = *color;
    c_text_string_set(text, string, length);
}

void c_text_string_set(CText *text, const char *string, i32 length) {
    glyphs_free(text);
    if (length > C_TEXT_LENGTH_MAX || length < 0) return;
    // A font that did not load must never reach SDL_ttf: such a text stays empty.
    if (!text->font.font) {
        text->length = 0;
        std::memset(text->string, 0, sizeof text->string);
        return;
    }
    // Copied aside first so that a caller handing the text its own string back keeps it.
    char incoming[C_TEXT_LENGTH_MAX];
    std::memcpy(incoming, string, static_cast<size_t>(length));
    text->length = length;
    std::memset(text->string, 0, C_TEXT_LENGTH_MAX);
    std::memcpy(text->string, incoming, static_cast<size_t>(length));
    glyphs_make(text);
}

void c_text_rectangle_get(const CText *text, vec4 *rectangle) {
    if (text->length == 0 || !text->font.font) return;
    f32 line_height = static_cast<f32>(font_line_skip_get(&text->font)) * text->scale;
    GlyphMetrics first;
    glyph_metrics_get(&first, &text->font, text->string[0]);
    f32 height = static_cast<f32>(first.max_y - first.min_y);
    f32 width = 0.0f;
    f32 line_width = 0.0f;
    for (i32 i = 0; i < text->length; i++) {
        char c = text->string[i];
        char next = text->string[i + 1];
        if (c == '\n') {
            height += line_height;
            line_width = 0.0f;
            continue;
        }
        if (line_breaks_at(text, c, line_width)) {
            height += line_height;
            line_width = 0.0f;
        }
        GlyphMetrics metrics;
        glyph_metrics_get(&metrics, &text->font, c);
        line_width += static_cast<f32>(metrics.advance + glyph_kerning_get(&text->font, c, next)) * text->scale;
        if (line_width > width) width = line_width;
    }
    vec2 offset;
    origin_2d_get(text->origin, {width, height}, &offset);
    f32 x = text->position.x - offset.x;
    f32 y = text->position.y - offset.y;
    *rectangle = {x, y, x + width, y + height};
}
