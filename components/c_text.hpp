// Text: a string of up to 255 characters, one glyph texture per character, laid out
// from the font's metrics and drawn every frame over the sprites.
#pragma once

#include "ecs/ecs.hpp"
#include "engine/font.hpp"
#include "engine/origin.hpp"
#include "engine/texture.hpp"

constexpr i32 C_TEXT_LENGTH_MAX = 255;

struct CText {
    EntityId entity;
    Font font;
    Texture glyphs[C_TEXT_LENGTH_MAX];
    char string[C_TEXT_LENGTH_MAX + 1];
    u32 shader;
    Origin origin;
    i32 length;
    i32 wrap_width;
    vec3 position;
    vec4 color;
    f32 scale;
    f32 raster_scale; // the font raster scale the glyph textures were made at
};

// The component storage moves records as plain bytes.
static_assert(std::is_trivially_copyable_v<CText>);

void c_text_register();
void c_text_set(CText *text, u32 shader, Origin origin, const Font *font, const char *string, i32 length,
                i32 wrap_width, const vec4 *color, const vec3 *position);
void c_text_string_set(CText *text, const char *string, i32 length);
// Leaves rectangle untouched for an empty text.
void c_text_rectangle_get(const CText *text, vec4 *rectangle);
