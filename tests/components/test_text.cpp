// The text's string store, its glyph textures and its measured layout with the game's own font.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "components/c_text.hpp"
#include "ecs/entity.hpp"
#include "engine/glyph.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

const Font *font() { return &game.fonts[FONT_LARGE]; }

CText *text_add(EntityId entity, const std::string &string, i32 wrap_width, Origin origin, vec3 position) {
    CText *text = ecs_add_as<CText>(entity, C_TEXT);
    vec4 color = {1.0f, 1.0f, 1.0f, 1.0f};
    c_text_set(text, SHADER_TEXTURE_QUAD, origin, font(), string.c_str(), static_cast<i32>(string.size()), wrap_width,
               &color, &position);
    return text;
}

vec4 rectangle_of(const CText *text) {
    vec4 rectangle = {-1.0f, -1.0f, -1.0f, -1.0f};
    c_text_rectangle_get(text, &rectangle);
    return rectangle;
}

// Advance of c followed by next, kerning included, at scale 1.
f32 advance(char c, char next) {
    GlyphMetrics metrics;
    glyph_metrics_get(&metrics, font(), c);
    return static_cast<f32>(metrics.advance + glyph_kerning_get(font(), c, next));
}

f32 run_width(const std::string &run, char after) {
    f32 width = 0.0f;
    for (size_t i = 0; i < run.size(); i++) width += advance(run[i], i + 1 < run.size() ? run[i + 1] : after);
    return width;
}

f32 box_height(char c) {
    GlyphMetrics metrics;
    glyph_metrics_get(&metrics, font(), c);
    return static_cast<f32>(metrics.max_y - metrics.min_y);
}

f32 line_skip() { return static_cast<f32>(font_line_skip_get(font())); }

f32 height_of(const std::string &string, i32 wrap_width) {
    test_game_reset();
    CText *text = text_add(entity_add(), string, wrap_width, ORIGIN_TOP_LEFT, {0.0f, 0.0f, 0.0f});
    vec4 rectangle = rectangle_of(text);
    f32 height = rectangle.w - rectangle.y;
    entity_delete(text->entity);
    return height;
}

std::vector<u32> glyph_names(const CText *text) {
    std::vector<u32> names;
    for (i32 i = 0; i < text->length; i++) names.push_back(text->glyphs[i].id);
    return names;
}

i32 live_textures(const std::vector<u32> &names) {
    i32 live = 0;
    for (u32 name : names) live += glIsTexture(name) == GL_TRUE;
    return live;
}

} // namespace

TEST(TextString, LimitOfTwoHundredFiftyFiveAndGlyphRelease) {
    test_game_reset();
    test_resources_load();
    ASSERT_TRUE(font()->loaded);
    EntityId entity = entity_add();
    CText *text = text_add(entity, "AB", -1, ORIGIN_TOP_LEFT, {0.0f, 0.0f, 0.0f});
    EXPECT_EQ(text->scale, 1.0f);
    ASSERT_EQ(text->length, 2);
    std::vector<u32> short_names = glyph_names(text);
    EXPECT_EQ(live_textures(short_names), 2);
    EXPECT_EQ(text->glyphs[0].height, font_height_get(font()));

    std::string longest(255, 'x');
    c_text_string_set(text, longest.c_str(), 255);
    EXPECT_EQ(live_textures(short_names), 0);
    ASSERT_EQ(text->length, 255);
    EXPECT_EQ(std::string(text->string), longest);
    EXPECT_EQ(text->string[255], '\0');
    std::vector<u32> long_names = glyph_names(text);
    EXPECT_EQ(live_textures(long_names), 255);
    vec4 before = rectangle_of(text);

    // One character too many: the old string stays, its glyphs are gone.
    std::string too_long(256, 'y');
    c_text_string_set(text, too_long.c_str(), 256);
    EXPECT_EQ(text->length, 255);
    EXPECT_EQ(std::string(text->string), longest);
    EXPECT_EQ(live_textures(long_names), 0);
    for (const Texture &glyph : text->glyphs) EXPECT_FALSE(glyph.generated);
    EXPECT_EQ(rectangle_of(text), before);

    // Handing the text its own string back keeps it.
    c_text_string_set(text, "Level 3", 7);
    c_text_string_set(text, text->string, text->length);
    EXPECT_STREQ(text->string, "Level 3");

    // Deleting the entity releases every glyph it made.
    c_text_string_set(text, "Score 120", 9);
    std::vector<u32> score_names = glyph_names(text);
    EXPECT_EQ(live_textures(score_names), 9);
    entity_delete(entity);
    EXPECT_EQ(ecs_get(entity, C_TEXT), nullptr);
    EXPECT_EQ(live_textures(score_names), 0);

    // A font that failed to load gives an empty text that measures and draws nothing.
    Font missing = {};
    vec4 red = {1.0f, 0.0f, 0.0f, 1.0f};
    vec3 where = {5.0f, 6.0f, 0.5f};
    CText *orphan = ecs_add_as<CText>(entity_add(), C_TEXT);
    c_text_set(orphan, SHADER_TEXTURE_QUAD, ORIGIN_CENTER, &missing, "Gyrel", 5, -1, &red, &where);
    EXPECT_EQ(orphan->length, 0);
    EXPECT_FALSE(orphan->glyphs[0].generated);
    EXPECT_EQ(rectangle_of(orphan), vec4(-1.0f));
    test_frame_draw();
    entity_delete(orphan->entity);
}

TEST(TextLayout, NewlineScaleAndOrigins) {
    test_game_reset();
    test_resources_load();
    CText *text = text_add(entity_add(), "A\nB", -1, ORIGIN_TOP_LEFT, {100.0f, 50.0f, 0.0f});
    f32 width = std::max(advance('A', '\n'), advance('B', '\0'));
    EXPECT_EQ(rectangle_of(text), vec4(100.0f, 50.0f, 100.0f + width, 50.0f + box_height('A') + line_skip()));

    // Advances and line skip grow with the scale; the first line's box height does not.
    text->scale = 2.5f;
    EXPECT_EQ(rectangle_of(text),
              vec4(100.0f, 50.0f, 100.0f + 2.5f * width, 50.0f + box_height('A') + 2.5f * line_skip()));
    text->scale = 1.0f;

    f32 height = box_height('A') + line_skip();
    text->origin = ORIGIN_CENTER;
    vec4 centred = rectangle_of(text);
    EXPECT_FLOAT_EQ((centred.x + centred.z) * 0.5f, 100.0f);
    EXPECT_FLOAT_EQ((centred.y + centred.w) * 0.5f, 50.0f);
    text->origin = ORIGIN_BOTTOM_LEFT;
    EXPECT_EQ(rectangle_of(text), vec4(100.0f, 50.0f - height, 100.0f + width, 50.0f));
    text->origin = ORIGIN_TOP_RIGHT;
    EXPECT_EQ(rectangle_of(text), vec4(100.0f - width, 50.0f, 100.0f, 50.0f + height));
    text->origin = ORIGIN_BOTTOM_RIGHT;
    EXPECT_EQ(rectangle_of(text), vec4(100.0f - width, 50.0f - height, 100.0f, 50.0f));

    // An empty text leaves the caller's rectangle as it was.
    c_text_string_set(text, "", 0);
    EXPECT_EQ(rectangle_of(text), vec4(-1.0f));
}

TEST(TextLayout, WrapAtSpacesBeyondTheWidth) {
    test_game_reset();
    test_resources_load();
    const f32 word = run_width("AAAA", ' ');
    const i32 exact = static_cast<i32>(word);
    ASSERT_EQ(static_cast<f32>(exact), word);

    // A line exactly as wide as the wrap width does not break; one pixel wider does, and the
    // space opens the new line.
    CText *text = text_add(entity_add(), "AAAA AAAA", exact, ORIGIN_TOP_LEFT, {0.0f, 0.0f, 0.0f});
    vec4 unbroken = rectangle_of(text);
    EXPECT_EQ(unbroken.z, run_width("AAAA AAAA", '\0'));
    EXPECT_EQ(unbroken.w, box_height('A'));
    text->wrap_width = exact - 1;
    vec4 broken = rectangle_of(text);
    EXPECT_EQ(broken.z, std::max(word, run_width(" AAAA", '\0')));
    EXPECT_EQ(broken.w, box_height('A') + line_skip());

    // -1 never breaks; other negatives break at every space, even at a line's start; 0 only
    // once something has advanced on the line.
    EXPECT_EQ(height_of("A A  A", -1), box_height('A'));
    EXPECT_EQ(height_of("A A  A", -2), box_height('A') + 3.0f * line_skip());
    EXPECT_EQ(height_of(" A", -2), box_height(' ') + line_skip());
    EXPECT_EQ(height_of(" A", 0), box_height(' '));
    EXPECT_EQ(height_of("A A", 0), box_height('A') + line_skip());
    EXPECT_EQ(height_of("AAAA AAAA AAAA", exact - 1), box_height('A') + 2.0f * line_skip());
}
