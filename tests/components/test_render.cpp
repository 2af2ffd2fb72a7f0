// Sprites and texts drawn with the game's shader into the hidden window and read back.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "components/c_sprite.hpp"
#include "components/c_text.hpp"
#include "ecs/entity.hpp"
#include "engine/glyph.hpp"
#include "engine/surface.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

// Colours as 0xRRGGBB: the window's default framebuffer need not keep an alpha channel.
constexpr u32 RED = 0xFF0000u;
constexpr u32 GREEN = 0x00FF00u;
constexpr u32 NOTHING = 0x000000u;

// The whole back buffer, read once per frame, rows from the top.
struct Frame {
    i32 width;
    i32 height;
    std::vector<u8> rgba;
};

Frame frame_draw() {
    test_frame_draw();
    Frame frame = {static_cast<i32>(game.window.size.x), static_cast<i32>(game.window.size.y), {}};
    frame.rgba.resize(static_cast<size_t>(frame.width * frame.height * 4));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba.data());
    return frame;
}

u32 pixel(const Frame &frame, i32 x, i32 y) {
    const u8 *p = &frame.rgba[static_cast<size_t>(((frame.height - 1 - y) * frame.width + x) * 4)];
    return (u32(p[0]) << 16) | (u32(p[1]) << 8) | u32(p[2]);
}

f32 advance(const Font *font, char c, char next) {
    GlyphMetrics metrics;
    glyph_metrics_get(&metrics, font, c);
    return static_cast<f32>(metrics.advance + glyph_kerning_get(font, c, next));
}

Texture white_texture() {
    SDL_Surface *surface = nullptr;
    surface_rgba_init(&surface, {8, 8});
    SDL_FillRect(surface, nullptr, 0xFFFFFFFFu);
    Texture texture = {};
    texture_surface_init(&texture, surface);
    SDL_FreeSurface(surface);
    return texture;
}

CSprite *sprite_add(EntityId entity, const Texture &texture, Origin origin, vec2 size, vec4 color, vec3 position) {
    CSprite *sprite = ecs_add_as<CSprite>(entity, C_SPRITE);
    c_sprite_set(sprite, texture, SHADER_TEXTURE_QUAD, origin, size, color, position);
    return sprite;
}

// Compares every pixel whose centre lies more than a pixel away from the quad's edges with
// where the sprite's record says the quad is: rotated clockwise about its origin point.
void expect_coverage(const Frame &frame, const CSprite *sprite, i32 x_min, i32 y_min, i32 x_max, i32 y_max) {
    vec2 size = sprite->size * sprite->scale;
    vec2 offset;
    origin_2d_get(sprite->origin, size, &offset);
    f32 c = std::cos(sprite->rotation);
    f32 s = std::sin(sprite->rotation);
    i32 wrong = 0;
    i32 inside = 0;
    for (i32 y = y_min; y < y_max; y++) {
        for (i32 x = x_min; x < x_max; x++) {
            f32 dx = static_cast<f32>(x) + 0.5f - sprite->position.x;
            f32 dy = static_cast<f32>(y) + 0.5f - sprite->position.y;
            f32 lx = c * dx + s * dy + offset.x;
            f32 ly = -s * dx + c * dy + offset.y;
            bool in = lx > 1.0f && lx < size.x - 1.0f && ly > 1.0f && ly < size.y - 1.0f;
            bool out = lx < -1.0f || lx > size.x + 1.0f || ly < -1.0f || ly > size.y + 1.0f;
            if (in) inside++;
            if ((in && pixel(frame, x, y) != RED) || (out && pixel(frame, x, y) != NOTHING)) wrong++;
        }
    }
    EXPECT_GT(inside, 100);
    EXPECT_EQ(wrong, 0);
}

} // namespace

TEST(RenderSprite, BeforeAnySetDrawsNothing) {
    test_game_reset();
    test_resources_load();
    CSprite *sprite = ecs_add_as<CSprite>(entity_add(), C_SPRITE);
    EXPECT_EQ(sprite->atlas.rows, 0);
    sprite->position = {300.0f, 200.0f, 0.0f};
    Frame frame = frame_draw();
    i32 lit = 0;
    for (i32 y = 0; y < frame.height; y++) {
        for (i32 x = 0; x < frame.width; x++) lit += pixel(frame, x, y) != NOTHING;
    }
    EXPECT_EQ(lit, 0);
    test_game_reset();
}

TEST(RenderSprite, CoversItsQuadAtPositionScaleAndRotation) {
    test_game_reset();
    test_resources_load();
    Texture white = white_texture();
    CSprite *sprite = sprite_add(entity_add(), white, ORIGIN_CENTER, {40.0f, 30.0f}, {1.0f, 0.0f, 0.0f, 1.0f},
                                 {100.0f, 200.0f, 0.0f});
    sprite->scale = 2.0f;
    vec4 rectangle;
    c_sprite_rectangle_get(sprite, &rectangle);
    EXPECT_EQ(rectangle, vec4(60.0f, 170.0f, 140.0f, 230.0f));

    Frame frame = frame_draw();
    EXPECT_EQ(pixel(frame, 60, 170), RED);
    EXPECT_EQ(pixel(frame, 139, 229), RED);
    EXPECT_EQ(pixel(frame, 59, 200), NOTHING);
    EXPECT_EQ(pixel(frame, 140, 200), NOTHING);
    EXPECT_EQ(pixel(frame, 100, 169), NOTHING);
    EXPECT_EQ(pixel(frame, 100, 230), NOTHING);
    expect_coverage(frame, sprite, 20, 130, 180, 270);

    sprite->origin = ORIGIN_TOP_LEFT;
    c_sprite_rectangle_get(sprite, &rectangle);
    EXPECT_EQ(rectangle, vec4(100.0f, 200.0f, 180.0f, 260.0f));
    frame = frame_draw();
    EXPECT_EQ(pixel(frame, 100, 200), RED);
    EXPECT_EQ(pixel(frame, 179, 259), RED);
    EXPECT_EQ(pixel(frame, 180, 230), NOTHING);

    // Turned by 0.3 about the top-left corner: the far end of the top edge swings down.
    sprite->rotation = 0.3f;
    frame = frame_draw();
    EXPECT_EQ(pixel(frame, 165, 225), RED);
    EXPECT_EQ(pixel(frame, 165, 205), NOTHING);
    expect_coverage(frame, sprite, 60, 180, 200, 300);
    // The rectangle ignores rotation.
    c_sprite_rectangle_get(sprite, &rectangle);
    EXPECT_EQ(rectangle, vec4(100.0f, 200.0f, 180.0f, 260.0f));

    sprite->origin = ORIGIN_CENTER;
    frame = frame_draw();
    EXPECT_EQ(pixel(frame, 100, 200), RED);
    expect_coverage(frame, sprite, 20, 130, 180, 270);

    // The tint multiplies the white texture; alpha 0 leaves the background alone.
    vec4 blue = {0.0f, 0.0f, 1.0f, 1.0f};
    renderer_clear_color_set(&game.renderer, &blue);
    sprite->rotation = 0.0f;
    sprite->color = {0.2f, 0.5f, 0.8f, 1.0f};
    frame = frame_draw();
    u32 tinted = pixel(frame, 100, 200);
    EXPECT_NEAR(static_cast<i32>(tinted >> 16), 51, 1);
    EXPECT_NEAR(static_cast<i32>((tinted >> 8) & 0xFF), 128, 1);
    EXPECT_NEAR(static_cast<i32>(tinted & 0xFF), 204, 1);
    sprite->color = {1.0f, 1.0f, 1.0f, 0.0f};
    frame = frame_draw();
    EXPECT_EQ(pixel(frame, 100, 200), 0x0000FFu);

    vec4 clear = {0.0f, 0.0f, 0.0f, 0.0f};
    renderer_clear_color_set(&game.renderer, &clear);
    test_game_reset();
    texture_free(&white);
}

TEST(RenderText, EachOriginDrawsInsideItsRectangle) {
    test_game_reset();
    test_resources_load();
    const Font *font = &game.fonts[FONT_LARGE];
    vec4 white = {1.0f, 1.0f, 1.0f, 1.0f};
    vec3 centre = {640.0f, 360.0f, 0.0f};
    struct Case {
        Origin origin;
        f32 scale;
    };
    for (Case test : {Case{ORIGIN_CENTER, 1.0f}, Case{ORIGIN_TOP_LEFT, 1.0f}, Case{ORIGIN_TOP_RIGHT, 1.0f},
                      Case{ORIGIN_BOTTOM_LEFT, 1.0f}, Case{ORIGIN_BOTTOM_RIGHT, 1.0f}, Case{ORIGIN_CENTER, 2.5f}}) {
        SCOPED_TRACE(testing::Message() << "origin " << test.origin << " scale " << test.scale);
        EntityId entity = entity_add();
        CText *text = ecs_add_as<CText>(entity, C_TEXT);
        c_text_set(text, SHADER_TEXTURE_QUAD, test.origin, font, "Gyrel", 5, -1, &white, &centre);
        text->scale = test.scale;
        vec4 rectangle;
        c_text_rectangle_get(text, &rectangle);
        f32 quad_height = static_cast<f32>(font_height_get(font)) * test.scale;

        Frame frame = frame_draw();
        i32 ink_x_min = frame.width, ink_x_max = -1, ink_y_min = frame.height, ink_y_max = -1;
        for (i32 y = 0; y < frame.height; y++) {
            for (i32 x = 0; x < frame.width; x++) {
                if (pixel(frame, x, y) == NOTHING) continue;
                ink_x_min = std::min(ink_x_min, x);
                ink_x_max = std::max(ink_x_max, x);
                ink_y_min = std::min(ink_y_min, y);
                ink_y_max = std::max(ink_y_max, y);
            }
        }
        ASSERT_GE(ink_x_max, 0);
        EXPECT_GE(static_cast<f32>(ink_x_min), rectangle.x - 1.0f);
        EXPECT_LE(static_cast<f32>(ink_x_max), rectangle.z + 1.0f);
        EXPECT_GE(static_cast<f32>(ink_y_min), rectangle.y - 1.0f);
        EXPECT_LE(static_cast<f32>(ink_y_max), rectangle.y + quad_height + 1.0f);
        // The ink spans most of the measured width, so the text is not just somewhere inside.
        EXPECT_LE(static_cast<f32>(ink_x_min), rectangle.x + 6.0f * test.scale);
        EXPECT_GE(static_cast<f32>(ink_x_max), rectangle.z - 12.0f * test.scale);
        entity_delete(entity);
    }
    test_game_reset();
}

TEST(RenderText, GlyphEdgesDoNotBleedIntoEachOther) {
    test_game_reset();
    test_resources_load();
    const Font *font = &game.fonts[FONT_LARGE];
    vec4 white = {1.0f, 1.0f, 1.0f, 1.0f};
    // A glyph with a row whose last texel has ink (at least half covered: the glyph's
    // rightmost column is its anti-aliased edge) while its first has none: a wrapped sample
    // at the quad's left edge would show that ink in the first column.
    for (char c : {'a', ')', '2', 'z', '1'}) {
        Texture glyph = {};
        glyph_texture_init(&glyph, font, c);
        std::vector<u8> texels(static_cast<size_t>(glyph.width * glyph.height * 4));
        glBindTexture(GL_TEXTURE_2D, glyph.id);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        auto alpha = [&](i32 x, i32 y) { return texels[static_cast<size_t>((y * glyph.width + x) * 4 + 3)]; };
        i32 row = -1;
        for (i32 y = 0; y < glyph.height && row < 0; y++) {
            if (alpha(0, y) == 0 && alpha(glyph.width - 1, y) >= 128) row = y;
        }
        texture_free(&glyph);
        if (row < 0) continue;

        SCOPED_TRACE(testing::Message() << "glyph " << c << " row " << row);
        GlyphMetrics metrics;
        glyph_metrics_get(&metrics, font, c);
        // The quad starts half a pixel into the column of the glyph's left bearing.
        vec3 position = {100.5f, 100.0f, 0.0f};
        i32 first_column = 100 + metrics.min_x;
        EntityId entity = entity_add();
        CText *text = ecs_add_as<CText>(entity, C_TEXT);
        char string[2] = {c, 0};
        c_text_set(text, SHADER_TEXTURE_QUAD, ORIGIN_TOP_LEFT, font, string, 1, -1, &white, &position);
        Frame frame = frame_draw();
        EXPECT_EQ(pixel(frame, first_column, 100 + row), NOTHING);
        entity_delete(entity);
        test_game_reset();
        return;
    }
    FAIL() << "no glyph with ink on its right edge only";
}

namespace {

// Columns of a drawn text that hold any ink, in the rows of its first line.
std::vector<bool> drawn_columns(const Frame &frame, i32 top, i32 bottom) {
    std::vector<bool> inked(static_cast<size_t>(frame.width), false);
    for (i32 y = std::max(top, 0); y < std::min(bottom, frame.height); y++) {
        for (i32 x = 0; x < frame.width; x++) {
            if (pixel(frame, x, y) != NOTHING) inked[static_cast<size_t>(x)] = true;
        }
    }
    return inked;
}

// SDL_ttf's own rendering of a run of text, its ink marked in window columns from left.
void oracle_columns(std::vector<bool> *inked, const Font *font, const std::string &run, i32 left) {
    SDL_Surface *rendered = TTF_RenderText_Blended(font->font, run.c_str(), {255, 255, 255, 255});
    ASSERT_NE(rendered, nullptr) << TTF_GetError();
    SDL_Surface *rgba = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(rendered);
    ASSERT_NE(rgba, nullptr);
    for (i32 y = 0; y < rgba->h; y++) {
        const u8 *row = static_cast<const u8 *>(rgba->pixels) + y * rgba->pitch;
        for (i32 x = 0; x < rgba->w; x++) {
            i32 column = left + x;
            if (row[x * 4 + 3] > 0 && column >= 0 && column < static_cast<i32>(inked->size())) {
                (*inked)[static_cast<size_t>(column)] = true;
            }
        }
    }
    SDL_FreeSurface(rgba);
}

// Columns inked in one set with no ink in the other within one column: filtering slack.
std::string column_mismatches(const std::vector<bool> &drawn, const std::vector<bool> &expected) {
    auto near = [](const std::vector<bool> &inked, i32 x) {
        for (i32 d = -1; d <= 1; d++) {
            i32 at = x + d;
            if (at >= 0 && at < static_cast<i32>(inked.size()) && inked[static_cast<size_t>(at)]) return true;
        }
        return false;
    };
    std::string out;
    for (i32 x = 0; x < static_cast<i32>(drawn.size()); x++) {
        if (drawn[static_cast<size_t>(x)] && !near(expected, x)) out += " extra " + std::to_string(x);
        if (expected[static_cast<size_t>(x)] && !near(drawn, x)) out += " missing " + std::to_string(x);
    }
    return out;
}

} // namespace

// Every glyph whole and where the font puts it: a text drawn by the game inks the same columns
// as SDL_ttf's own rendering of the string.
TEST(RenderText, InksTheColumnsSdlTtfRenders) {
    test_game_reset();
    test_resources_load();
    vec4 white = {1.0f, 1.0f, 1.0f, 1.0f};
    struct Case {
        std::string string;
        // SDL_ttf's string renderer shapes with the font's positioning table, which kerns
        // pairs such as "Yo" that the font's pair kerning (what the layout uses) leaves alone;
        // the string is compared in runs split after these many characters.
        std::vector<size_t> splits;
    };
    for (u32 font_index : {FONT_SMALL, FONT_LARGE}) {
        const Font *font = &game.fonts[font_index];
        ASSERT_TRUE(font->loaded);
        for (const Case &test : {Case{"1", {}}, Case{"14", {}}, Case{"Don't", {}}, Case{"Your Score: 14", {1}},
                                 Case{"x1", {}}, Case{"g.j", {}}}) {
            SCOPED_TRACE(testing::Message() << "\"" << test.string << "\" at " << font->size << " points");
            const i32 left = 200, top = 300;
            vec3 position = {static_cast<f32>(left), static_cast<f32>(top), 0.0f};
            EntityId entity = entity_add();
            c_text_set(ecs_add_as<CText>(entity, C_TEXT), SHADER_TEXTURE_QUAD, ORIGIN_TOP_LEFT, font,
                       test.string.c_str(), static_cast<i32>(test.string.size()), -1, &white, &position);
            Frame frame = frame_draw();
            std::vector<bool> drawn = drawn_columns(frame, top, top + font_height_get(font));
            entity_delete(entity);

            // Each run as SDL_ttf renders it, from the pen the layout gives its first character.
            std::vector<bool> expected(drawn.size(), false);
            std::vector<size_t> starts = {0};
            starts.insert(starts.end(), test.splits.begin(), test.splits.end());
            for (size_t r = 0; r < starts.size(); r++) {
                size_t end = r + 1 < starts.size() ? starts[r + 1] : test.string.size();
                f32 pen = static_cast<f32>(left);
                for (size_t i = 0; i < starts[r]; i++) pen += advance(font, test.string[i], test.string[i + 1]);
                GlyphMetrics first;
                glyph_metrics_get(&first, font, test.string[starts[r]]);
                // SDL_ttf widens its surface leftward for a first glyph reaching left of its pen.
                oracle_columns(&expected, font, test.string.substr(starts[r], end - starts[r]),
                               static_cast<i32>(pen) + std::min(first.min_x, 0));
            }
            EXPECT_EQ(column_mismatches(drawn, expected), "");
        }
    }
    test_game_reset();
}

TEST(RenderOrder, TextsOverSpritesAndLaterRecordsOverEarlierOnes) {
    test_game_reset();
    test_resources_load();
    Texture texture = white_texture();
    vec4 green = {0.0f, 1.0f, 0.0f, 1.0f};
    vec3 position = {400.0f, 300.0f, 0.0f};
    EntityId label = entity_add();
    c_text_set(ecs_add_as<CText>(label, C_TEXT), SHADER_TEXTURE_QUAD, ORIGIN_CENTER, &game.fonts[FONT_LARGE], "HH", 2,
               -1, &green, &position);
    Frame frame = frame_draw();
    i32 ink_x = -1, ink_y = -1;
    for (i32 y = 250; y < 350 && ink_x < 0; y++) {
        for (i32 x = 330; x < 470; x++) {
            if (pixel(frame, x, y) == GREEN) {
                ink_x = x;
                ink_y = y;
                break;
            }
        }
    }
    ASSERT_GE(ink_x, 0) << "no fully covered glyph pixel";

    // A sprite made after the text still lies beneath it.
    sprite_add(entity_add(), texture, ORIGIN_CENTER, {300.0f, 200.0f}, {1.0f, 0.0f, 0.0f, 1.0f}, position);
    frame = frame_draw();
    EXPECT_EQ(pixel(frame, ink_x, ink_y), GREEN);
    EXPECT_EQ(pixel(frame, 270, 220), RED);

    // Between sprites, the record stored later covers the earlier one.
    EntityId first = entity_add();
    sprite_add(first, texture, ORIGIN_TOP_LEFT, {50.0f, 50.0f}, {1.0f, 0.0f, 0.0f, 1.0f}, {800.0f, 100.0f, 0.0f});
    sprite_add(entity_add(), texture, ORIGIN_TOP_LEFT, {50.0f, 50.0f}, green, {820.0f, 100.0f, 0.0f});
    frame = frame_draw();
    EXPECT_EQ(pixel(frame, 810, 120), RED);
    EXPECT_EQ(pixel(frame, 830, 120), GREEN);
    EXPECT_EQ(pixel(frame, 860, 120), GREEN);
    ecs_delete(first, C_SPRITE);
    sprite_add(first, texture, ORIGIN_TOP_LEFT, {50.0f, 50.0f}, {1.0f, 0.0f, 0.0f, 1.0f}, {800.0f, 100.0f, 0.0f});
    frame = frame_draw();
    EXPECT_EQ(pixel(frame, 830, 120), RED);
    EXPECT_EQ(pixel(frame, 860, 120), GREEN);

    entity_delete(label);
    test_game_reset();
    texture_free(&texture);
}
