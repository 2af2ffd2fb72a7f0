// The game on a 1920x1080 screen in windows of other sizes and fullscreen: steering through real
// X pointer moves must not depend on the window, leaving fullscreen gives the window back, a
// window opened above a panel fits whole, and text shown larger must be rasterised for its size
// rather than stretched. Run on its own 1920x1080 virtual display with a window manager.
#include <GL/glew.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "components/c_physics.hpp"
#include "components/c_text.hpp"
#include "ecs/entity.hpp"
#include "entities/e_player.hpp"
#include "entities/e_text.hpp"
#include "game/game.hpp"
#include "tests/screens/panel.hpp"
#include "tests/support/test_env.hpp"

namespace {

void pump(int times) {
    for (int i = 0; i < times; i++) {
        SDL_PumpEvents();
        SDL_Delay(10);
    }
}

// Waits for the window manager (or the X server) to give the window its new size, updating
// the window each time as a frame does.
bool window_size_wait(int width, int height) {
    for (int i = 0; i < 1000; i++) {
        pump(1);
        window_update(&game.window);
        int w = 0, h = 0;
        SDL_GetWindowSize(game.window.handle, &w, &h);
        if (w == width && h == height) return true;
    }
    return false;
}

// As frames go by for a while: a window put back after fullscreen has had time to settle.
void frames_pass(int times) {
    for (int i = 0; i < times; i++) {
        pump(1);
        window_update(&game.window);
    }
}

enum Shape : u32 { SHAPE_FIELD, SHAPE_WIDE, SHAPE_FULLSCREEN };

bool shape_set(Shape shape) {
    SDL_Window *window = game.window.handle;
    window_fullscreen_exit(&game.window);
    SDL_ShowWindow(window);
    SDL_SetWindowPosition(window, 0, 0);
    switch (shape) {
    case SHAPE_FIELD:
        SDL_SetWindowSize(window, 1280, 720);
        return window_size_wait(1280, 720);
    case SHAPE_WIDE:
        SDL_SetWindowSize(window, 1600, 720);
        return window_size_wait(1600, 720);
    case SHAPE_FULLSCREEN:
        window_fullscreen_enter(&game.window);
        return window_size_wait(1920, 1080);
    }
    return false;
}

// The window point over a field point, through the window's viewport.
void window_point(vec2 field, int *x, int *y) {
    const Window &w = game.window;
    f64 scale = static_cast<f64>(w.viewport.z) / w.field.x;
    f64 bar_top = static_cast<f64>(w.drawable.y) - (w.viewport.y + w.viewport.w);
    *x = static_cast<int>(std::lround((w.viewport.x + field.x * scale) * w.size.x / w.drawable.x));
    *y = static_cast<int>(std::lround((bar_top + field.y * scale) * w.size.y / w.drawable.y));
}

// Moves the real pointer (XTEST) over a field point and waits for the game's input path to see
// it. The point is given relative to the X window, so the window manager's placing of it (which
// SDL learns later) does not matter.
bool pointer_to(vec2 field) {
    std::string id;
    if (FILE *search = popen("xdotool search --name '^Gyrel\\+ tests$' 2>/dev/null", "r")) {
        char line[32] = {};
        if (std::fgets(line, sizeof line, search)) id = std::to_string(std::atol(line));
        pclose(search);
    }
    if (id.empty() || id == "0") return false;
    int x = 0, y = 0;
    window_point(field, &x, &y);
    std::string command = "xdotool mousemove --window " + id + " " +
                          std::to_string(x) + " " + std::to_string(y) + " >/dev/null 2>&1";
    for (int attempt = 0; attempt < 3; attempt++) {
        if (std::system(command.c_str()) != 0) return false;
        for (int i = 0; i < 100; i++) {
            SDL_Delay(2);
            event_update(&game.event);
            mouse_update(&game.mouse, &game.window);
            if (game.mouse.position == field) return true;
        }
    }
    return false;
}

// The centre's velocity after each step of one pointer path, given in field pixels.
std::vector<vec3> velocities_along_path(Shape shape) {
    std::vector<vec3> velocities;
    test_game_reset();
    test_resources_load();
    if (!shape_set(shape)) {
        ADD_FAILURE() << "the window did not take shape " << shape;
        return velocities;
    }
    EntityId player = entity_add();
    player_init(player, {640.0f, 360.0f, 0.0f});
    for (int i = 0; i < 24; i++) {
        // Even field coordinates: whole screen pixels at scale 1.5 too.
        vec2 target = {static_cast<f32>(200 + 44 * i), static_cast<f32>(620 - 22 * i + (i % 3) * 40)};
        if (!pointer_to(target)) {
            ADD_FAILURE() << "shape " << shape << ": the pointer never reached field point " << target.x << ","
                          << target.y << " (seen " << game.mouse.position.x << "," << game.mouse.position.y << ")";
            break;
        }
        test_ecs_steps(1);
        velocities.push_back(ecs_get_as<CPhysics>(player, C_PHYSICS)->velocity);
    }
    return velocities;
}

// Share of the text's pixels that are neither background nor full ink: the soft edge that
// stretching a small glyph widens.
f64 soft_share(const vec4 &field_rectangle) {
    const Window &w = game.window;
    f64 scale = static_cast<f64>(w.viewport.z) / w.field.x;
    int x0 = w.viewport.x + static_cast<int>(field_rectangle.x * scale) - 2;
    int x1 = w.viewport.x + static_cast<int>(field_rectangle.z * scale) + 2;
    int y_top = w.viewport.y + w.viewport.w;
    int y0 = y_top - static_cast<int>(field_rectangle.w * scale) - 2;
    int y1 = y_top - static_cast<int>(field_rectangle.y * scale) + 2;
    std::vector<u8> pixels(static_cast<size_t>((x1 - x0) * (y1 - y0) * 4));
    glReadBuffer(GL_BACK);
    glReadPixels(x0, y0, x1 - x0, y1 - y0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    int soft = 0, ink = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        u8 g = pixels[i + 1];
        if (g > 24) ink++;
        if (g > 24 && g < 232) soft++;
    }
    return ink ? static_cast<f64>(soft) / ink : 1.0;
}

} // namespace

TEST(Screens, SteeringIsTheSameInEveryWindow) {
    std::vector<vec3> field = velocities_along_path(SHAPE_FIELD);
    std::vector<vec3> wide = velocities_along_path(SHAPE_WIDE);
    std::vector<vec3> fullscreen = velocities_along_path(SHAPE_FULLSCREEN);
    window_fullscreen_exit(&game.window);
    ASSERT_EQ(field.size(), 24u);
    ASSERT_EQ(wide.size(), field.size());
    ASSERT_EQ(fullscreen.size(), field.size());
    for (size_t i = 0; i < field.size(); i++) {
        EXPECT_EQ(wide[i], field[i]) << "step " << i << " in a 1600x720 window";
        EXPECT_EQ(fullscreen[i], field[i]) << "step " << i << " fullscreen on 1920x1080";
    }
    // The path pushed the centre about: a path that never moved it would prove nothing.
    EXPECT_GT(std::abs(field.back().x) + std::abs(field.back().y), 1.0f);
}

TEST(Screens, FullscreenLeavesTheWindowWhereAndAsLargeAsItWas) {
    test_game_reset();
    ASSERT_TRUE(shape_set(SHAPE_FIELD));
    SDL_SetWindowPosition(game.window.handle, 100, 80);
    pump(20);
    int x = 0, y = 0;
    SDL_GetWindowPosition(game.window.handle, &x, &y);
    window_fullscreen_toggle(&game.window);
    EXPECT_TRUE(game.window.fullscreen);
    ASSERT_TRUE(window_size_wait(1920, 1080));
    EXPECT_EQ(game.window.viewport, ivec4(0, 0, 1920, 1080));
    window_fullscreen_toggle(&game.window);
    EXPECT_FALSE(game.window.fullscreen);
    ASSERT_TRUE(window_size_wait(1280, 720));
    frames_pass(50);
    int x_after = -1, y_after = -1;
    SDL_GetWindowPosition(game.window.handle, &x_after, &y_after);
    EXPECT_EQ(x_after, x);
    EXPECT_EQ(y_after, y);
    // Leaving twice is harmless, and the saved place is not overwritten by a second enter.
    window_fullscreen_exit(&game.window);
    EXPECT_FALSE(game.window.fullscreen);
}

// The usable bounds of the display, once they have become the given height (the window
// manager takes a moment to see a panel come or go).
bool usable_height_wait(int height, SDL_Rect *usable) {
    for (int i = 0; i < 500; i++) {
        pump(1);
        if (SDL_GetDisplayUsableBounds(0, usable) == 0 && usable->h == height) return true;
    }
    return false;
}

TEST(Screens, AWindowOpensWholeInTheAreaAPanelLeaves) {
    // 735 pixels of height: room for the field, but not for the field and a title bar.
    ASSERT_TRUE(panel_open(345));
    SDL_Rect usable{};
    ASSERT_TRUE(usable_height_wait(735, &usable));
    Window window{};
    vec2 field = {1280.0f, 720.0f};
    window_init(&window, "Gyrel+ under a panel", &field, SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE);
    ASSERT_NE(window.handle, nullptr) << SDL_GetError();
    pump(30);
    int x = 0, y = 0, width = 0, height = 0, top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowPosition(window.handle, &x, &y);
    SDL_GetWindowSize(window.handle, &width, &height);
    SDL_GetWindowBordersSize(window.handle, &top, &left, &bottom, &right);
    window_free(&window);
    panel_close();
    EXPECT_GT(top, 0) << "the window manager drew no title bar";
    EXPECT_LT(height, 720);
    EXPECT_NEAR(width * 9.0, height * 16.0, 16.0) << width << "x" << height << " is not the field's shape";
    EXPECT_GE(x - left, usable.x);
    EXPECT_GE(y - top, usable.y);
    EXPECT_LE(x + width + right, usable.x + usable.w);
    EXPECT_LE(y + height + bottom, usable.y + usable.h) << "the window's bottom is under the panel";
    EXPECT_TRUE(usable_height_wait(1080, &usable)) << "the panel did not go";
}

TEST(Screens, TextIsRasterisedForItsScaleWithTheSameLayout) {
    test_game_reset();
    test_resources_load();
    ASSERT_TRUE(shape_set(SHAPE_FIELD));
    font_raster_scale_set(window_scale_get(&game.window));
    EXPECT_EQ(font_raster_scale_get(), 1.0f);
    EntityId entity = entity_add();
    vec4 white = {1.0f, 1.0f, 1.0f, 1.0f};
    vec3 position = {640.0f, 360.0f, 0.0f};
    text_init(entity, ORIGIN_CENTER, game.fonts[FONT_LARGE], "Start Wavy", 10, -1, &white, &position);
    CText *text = ecs_get_as<CText>(entity, C_TEXT);
    ASSERT_NE(text, nullptr);
    vec4 rectangle_field = {};
    c_text_rectangle_get(text, &rectangle_field);
    i32 height_field = text->glyphs[0].height;
    EXPECT_EQ(height_field, font_height_get(&game.fonts[FONT_LARGE]));

    ASSERT_TRUE(shape_set(SHAPE_FULLSCREEN));
    // Stretched: the glyphs made for the field's own size, drawn 1.5 times larger.
    font_raster_scale_set(1.0f);
    test_frame_draw();
    EXPECT_EQ(text->glyphs[0].height, height_field);
    f64 stretched = soft_share(rectangle_field);

    font_raster_scale_set(window_scale_get(&game.window));
    EXPECT_EQ(font_raster_scale_get(), 1.5f);
    test_frame_draw();
    text = ecs_get_as<CText>(entity, C_TEXT);
    Font raster = font_raster_get(&game.fonts[FONT_LARGE]);
    EXPECT_EQ(raster.size, 72);
    EXPECT_EQ(text->glyphs[0].height, font_height_get(&raster));
    EXPECT_GT(text->glyphs[0].height, height_field * 1.4);
    f64 sharp = soft_share(rectangle_field);
    EXPECT_LT(sharp, stretched * 0.8) << "soft edge share " << sharp << " rasterised vs " << stretched << " stretched";

    // Layout stays in field pixels with the font's own metrics.
    vec4 rectangle_scaled = {};
    c_text_rectangle_get(text, &rectangle_scaled);
    EXPECT_EQ(rectangle_scaled, rectangle_field);
    // The base font still measures at its own size after the raster handle was resized.
    EXPECT_EQ(font_height_get(&game.fonts[FONT_LARGE]), height_field);

    // Back at the field's own size, the glyphs are the field-size ones again.
    ASSERT_TRUE(shape_set(SHAPE_FIELD));
    font_raster_scale_set(window_scale_get(&game.window));
    test_frame_draw();
    EXPECT_EQ(ecs_get_as<CText>(entity, C_TEXT)->glyphs[0].height, height_field);
    font_raster_scale_set(1.0f);
}
