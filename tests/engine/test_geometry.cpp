// Origins, rectangles, window coordinates and the camera matrices.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/camera.hpp"
#include "engine/origin.hpp"
#include "engine/rectangle.hpp"
#include "engine/window.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

vec4 apply(const Camera &camera, vec3 p) { return camera.projection * camera.view * vec4(p, 1.0f); }

bool finite(const mat4 &m) {
    for (int c = 0; c < 4; c++)
        for (int r = 0; r < 4; r++)
            if (!std::isfinite(m[c][r])) return false;
    return true;
}

bool finite(vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

} // namespace

TEST(Origin, EveryValueIncludingUnknownOnes) {
    const vec2 size = {40.0f, 30.0f};
    struct Case {
        i32 origin;
        vec2 offset;
    };
    const Case cases[] = {{ORIGIN_CENTER, {20, 15}},      {ORIGIN_TOP_LEFT, {0, 0}},     {ORIGIN_TOP_RIGHT, {40, 0}},
                          {ORIGIN_BOTTOM_LEFT, {0, 30}},  {ORIGIN_BOTTOM_RIGHT, {40, 30}}, {5, {20, 15}},
                          {7, {20, 15}},                  {-1, {20, 15}}};
    for (const Case &c : cases) {
        vec2 offset = {-99.0f, -99.0f};
        origin_2d_get(static_cast<Origin>(c.origin), size, &offset);
        EXPECT_EQ(offset, c.offset) << "origin " << c.origin;
    }
}

TEST(Rectangle, EdgesCountNaNAndEmptyOnes) {
    const vec4 r = {10, 10, 20, 20};
    EXPECT_TRUE(rectangle_has_point(r, {10, 10}));
    EXPECT_TRUE(rectangle_has_point(r, {20, 20}));
    EXPECT_TRUE(rectangle_has_point(r, {10, 20}));
    EXPECT_FALSE(rectangle_has_point(r, {20.001f, 15}));
    EXPECT_FALSE(rectangle_has_point(r, {15, 9.999f}));
    const f32 nan = std::numeric_limits<f32>::quiet_NaN();
    EXPECT_FALSE(rectangle_has_point(r, {nan, 15}));
    EXPECT_FALSE(rectangle_has_point(r, {15, nan}));
    EXPECT_FALSE(rectangle_has_point({nan, 10, 20, 20}, {15, 15}));
    EXPECT_FALSE(rectangle_has_point({10, 10, 20, nan}, {15, 15}));
    EXPECT_TRUE(rectangle_has_point({10, 10, 10, 10}, {10, 10}));
    EXPECT_FALSE(rectangle_has_point({10, 10, 10, 10}, {10, 10.0001f}));
    const vec4 inverted = {20, 20, 10, 10};
    for (vec2 p : {vec2{10, 10}, vec2{15, 15}, vec2{20, 20}}) EXPECT_FALSE(rectangle_has_point(inverted, p));
}

TEST(Window, CoordinatesAndViewportRectangle) {
    Window window = {};
    window.size = {1280.0f, 720.0f};
    vec2 out;
    const vec2 points[] = {{0, 0}, {1280, 720}, {640, 360}, {320, 540}};
    const vec2 expected[] = {{-1, -1}, {1, 1}, {0, 0}, {-0.5f, 0.5f}};
    for (int i = 0; i < 4; i++) {
        window_coords_to_gl(&window, &points[i], &out);
        EXPECT_EQ(out, expected[i]) << i;
    }
    window.size = {1280.9f, 720.2f};
    ivec4 viewport = {9, 9, 9, 9};
    window_ivec4_get(&window, &viewport);
    EXPECT_EQ(viewport, ivec4(0, 0, 1280, 720));
}

TEST(Camera, OrthographicMapsPixelsToClipSpace) {
    Camera camera;
    const vec2 size = {1280.0f, 720.0f};
    camera_orthographic_init(&camera, &size);
    EXPECT_EQ(camera.type, CAMERA_ORTHOGRAPHIC);
    EXPECT_EQ(camera.view, mat4(1.0f));
    for (int pass = 0; pass < 2; pass++) {
        EXPECT_EQ(apply(camera, {0, 0, 0}), vec4(-1, 1, 0, 1));
        EXPECT_EQ(apply(camera, {1280, 720, 0}), vec4(1, -1, 0, 1));
        EXPECT_EQ(apply(camera, {640, 360, 0.5f}), vec4(0, 0, 0.5f, 1));
        EXPECT_EQ(apply(camera, {1280, 0, -0.25f}), vec4(1, 1, -0.25f, 1));
        camera.position = {100, 100, 100}; // plays no part
        camera_update(&camera);
    }
}

TEST(Camera, MatricesOnSixteenByteBoundaries) {
    auto aligned = [](const void *p) { return reinterpret_cast<uintptr_t>(p) % 16 == 0; };
    Camera camera;
    EXPECT_TRUE(aligned(&camera.view));
    EXPECT_TRUE(aligned(&camera.projection));
    EXPECT_TRUE(aligned(&game.renderer.camera.view));
    EXPECT_TRUE(aligned(&game.renderer.camera.projection));
    struct Packed {
        char tag;
        mat4 model;
    } packed;
    EXPECT_TRUE(aligned(&packed.model)) << "the alignment comes with the type";
}

TEST(Camera, FieldStaysWholeWhileTheViewportLetterboxes) {
    test_game_reset();
    Renderer *renderer = &game.renderer;
    renderer_update(renderer);
    EXPECT_FLOAT_EQ(renderer->camera.projection[0][0], 2.0f / 1280.0f);

    struct Case {
        vec2 size;
        ivec4 viewport;
    };
    const Case cases[] = {
        {{640.0f, 360.0f}, {0, 0, 640, 360}},
        {{1600.0f, 720.0f}, {160, 0, 1280, 720}}, // bars left and right
        {{1280.0f, 1000.0f}, {0, 140, 1280, 720}}, // bars above and below
        {{1920.0f, 1080.0f}, {0, 0, 1920, 1080}},
        {{1366.0f, 768.0f}, {0, 0, 1365, 768}},
        {{1280.0f, 720.0f}, {0, 0, 1280, 720}},
    };
    for (const Case &c : cases) {
        window_layout_set(&game.window, c.size, c.size);
        renderer_update(renderer);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(ivec4(viewport[0], viewport[1], viewport[2], viewport[3]), c.viewport) << c.size.x << "x" << c.size.y;
        EXPECT_FLOAT_EQ(renderer->camera.projection[0][0], 2.0f / 1280.0f);
        EXPECT_FLOAT_EQ(renderer->camera.projection[1][1], -2.0f / 720.0f);
    }
    test_game_reset();
}

TEST(Window, PointerMapsToTheFieldUnderIt) {
    Window window = {};
    window.field = {1280.0f, 720.0f};

    // At the field's own size every point comes through unchanged, to the bit.
    window_layout_set(&window, {1280.0f, 720.0f}, {1280.0f, 720.0f});
    for (int y = 0; y < 720; y += 7) {
        for (int x = 0; x < 1280; x += 3) {
            vec2 in = {static_cast<f32>(x), static_cast<f32>(y)};
            vec2 out;
            window_point_to_field(&window, &in, &out);
            ASSERT_EQ(out, in);
        }
    }

    struct Case {
        vec2 size;
        vec2 drawable;
        vec2 point;
        vec2 field;
    };
    const Case cases[] = {
        {{1920, 1080}, {1920, 1080}, {960, 540}, {640, 360}},
        {{1920, 1080}, {1920, 1080}, {1500, 300}, {1000, 200}},
        {{1600, 720}, {1600, 720}, {160, 0}, {0, 0}},
        {{1600, 720}, {1600, 720}, {1000, 500}, {840, 500}},
        {{1600, 720}, {1600, 720}, {20, 300}, {0, 300}},       // over the left bar: its edge
        {{1600, 720}, {1600, 720}, {1590, 800}, {1280, 720}},  // over the right bar, below the window
        {{1280, 1000}, {1280, 1000}, {640, 140}, {640, 0}},
        {{1280, 1000}, {1280, 1000}, {100, 10}, {100, 0}},     // over the top bar
        {{640, 360}, {640, 360}, {320, 180}, {640, 360}},
        {{1280, 720}, {2560, 1440}, {333, 444}, {333, 444}},   // a dense display: points, not pixels
        {{800, 450}, {1600, 900}, {400, 225}, {640, 360}},
    };
    for (const Case &c : cases) {
        window_layout_set(&window, c.size, c.drawable);
        vec2 out;
        window_point_to_field(&window, &c.point, &out);
        EXPECT_NEAR(out.x, c.field.x, 1e-3f) << c.size.x << "x" << c.size.y << " at " << c.point.x << "," << c.point.y;
        EXPECT_NEAR(out.y, c.field.y, 1e-3f) << c.size.x << "x" << c.size.y << " at " << c.point.x << "," << c.point.y;
    }
}

TEST(Renderer, BarsStayBlackWhileTheFieldTakesTheClearColour) {
    test_game_reset();
    const vec4 red = {1.0f, 0.0f, 0.0f, 1.0f};
    renderer_clear_color_set(&game.renderer, &red);
    // Laid out as a 960x720 drawable, the field leaves bars above and below.
    window_layout_set(&game.window, {960.0f, 720.0f}, {960.0f, 720.0f});
    renderer_update(&game.renderer);
    renderer_clear(&game.renderer);
    u8 bar[4] = {};
    u8 field[4] = {};
    glReadPixels(480, 700, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, bar); // the top bar: rows 630 to 719
    glReadPixels(480, 360, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, field);
    EXPECT_EQ(bar[0], 0);
    EXPECT_EQ(field[0], 255);
    GLboolean scissor = GL_TRUE;
    glGetBooleanv(GL_SCISSOR_TEST, &scissor);
    EXPECT_FALSE(scissor) << "no scissor left on for the draws";
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 1.0f) << "the clear colour is kept";

    const vec4 none = {0.0f, 0.0f, 0.0f, 0.0f};
    renderer_clear_color_set(&game.renderer, &none);
    window_layout_set(&game.window, {1280.0f, 720.0f}, {1280.0f, 720.0f});
    test_game_reset();
}

TEST(Camera, PerspectiveBasisAndProjection) {
    Camera camera;
    camera_perspective_init(&camera, 1.5707964f, 1.0f);
    EXPECT_EQ(camera.type, CAMERA_PERSPECTIVE);
    EXPECT_FLOAT_EQ(camera.yaw, -1.5707964f);
    EXPECT_NEAR(camera.front.x, 0.0f, 1e-6f);
    EXPECT_NEAR(camera.front.y, 0.0f, 1e-6f);
    EXPECT_NEAR(camera.front.z, -1.0f, 1e-6f);
    EXPECT_NEAR(camera.right.x, 1.0f, 1e-6f);
    EXPECT_NEAR(camera.up.y, 1.0f, 1e-6f);
    for (int c = 0; c < 4; c++)
        for (int r = 0; r < 4; r++) EXPECT_NEAR(camera.view[c][r], c == r ? 1.0f : 0.0f, 1e-6f) << c << r;
    EXPECT_NEAR(camera.projection[0][0], 1.0f, 1e-6f);
    EXPECT_NEAR(camera.projection[1][1], 1.0f, 1e-6f);
    EXPECT_FLOAT_EQ(camera.projection[2][2], -1.0020020008f);
    EXPECT_FLOAT_EQ(camera.projection[2][3], -1.0f);
    EXPECT_FLOAT_EQ(camera.projection[3][2], -0.2002002001f);
    EXPECT_EQ(camera.projection[3][3], 0.0f);

    // Aspect divides the x scale only; the eye position moves the view.
    camera_perspective_init(&camera, 1.5707964f, 2.0f);
    camera_position_set(&camera, {1.0f, 2.0f, 3.0f});
    camera_update(&camera);
    EXPECT_NEAR(camera.projection[0][0], 0.5f, 1e-6f);
    vec4 eye = camera.view * vec4(1.0f, 2.0f, 3.0f, 1.0f);
    EXPECT_NEAR(eye.x, 0.0f, 1e-6f);
    EXPECT_NEAR(eye.y, 0.0f, 1e-6f);
    EXPECT_NEAR(eye.z, 0.0f, 1e-6f);
    vec4 ahead = camera.view * vec4(1.0f, 2.0f, 2.0f, 1.0f);
    EXPECT_NEAR(ahead.z, -1.0f, 1e-6f);
}

TEST(Camera, DegenerateDirectionsAndUnknownKind) {
    Camera camera;
    camera_perspective_init(&camera, 1.5707964f, 1.0f);
    camera.pitch = 1.5707964f;
    camera_update(&camera);
    EXPECT_TRUE(finite(camera.front));
    EXPECT_TRUE(finite(camera.right));
    EXPECT_TRUE(finite(camera.up));
    EXPECT_TRUE(finite(camera.view));
    EXPECT_NEAR(camera.front.y, 1.0f, 1e-6f);

    // Looking straight along up: the side vector has no length and becomes zero.
    camera.front = {0.0f, 1.0f, 0.0f};
    camera.up = {0.0f, 1.0f, 0.0f};
    camera_view_set(&camera);
    EXPECT_TRUE(finite(camera.view));
    EXPECT_EQ(camera.view[0][0], 0.0f);
    EXPECT_EQ(camera.view[1][0], 0.0f);
    EXPECT_EQ(camera.view[2][0], 0.0f);
    EXPECT_EQ(camera.view[1][2], -1.0f);

    Camera odd;
    const vec2 size = {1280.0f, 720.0f};
    camera_orthographic_init(&odd, &size);
    odd.type = static_cast<CameraType>(2);
    camera_update(&odd);
    EXPECT_EQ(odd.view, mat4(1.0f));
    EXPECT_EQ(odd.projection, mat4(1.0f));
    camera_projection_set(&odd);
    EXPECT_EQ(odd.projection, mat4(1.0f));
}

TEST(Window, OpeningSizeFitsTheDisplaysFreeArea) {
    struct Case {
        vec2 area;
        vec2 size;
    };
    const Case cases[] = {
        {{1920, 1040}, {1280, 720}},   // room to spare: the field's own size, never larger
        {{1280, 720}, {1280, 720}},    // exactly
        {{1366, 700}, {1244, 700}},    // a laptop's panel takes the bottom: the height bounds it
        {{1024, 560}, {995, 560}},     // 1024x600 less a 40-point frame and panel
        {{1000, 1000}, {1000, 562}},   // the width bounds it
        {{500, 300}, {640, 360}},      // smaller than the minimum: the minimum
        {{0, 0}, {640, 360}},
    };
    for (const Case &c : cases) {
        vec2 size = window_size_fit({1280.0f, 720.0f}, c.area);
        EXPECT_EQ(size, c.size) << c.area.x << "x" << c.area.y;
        if (c.area.x >= WINDOW_SIZE_MIN.x && c.area.y >= WINDOW_SIZE_MIN.y) {
            EXPECT_LE(size.x, c.area.x);
            EXPECT_LE(size.y, c.area.y);
        }
        EXPECT_LE(std::abs(size.x / size.y - 16.0f / 9.0f), 1.0f / size.y) << "keeps the field's shape";
    }
}

TEST(Window, ScaleIsDisplayPixelsPerFieldPixel) {
    Window window = {};
    window.field = {1280.0f, 720.0f};
    window_layout_set(&window, {1280.0f, 720.0f}, {1280.0f, 720.0f});
    EXPECT_EQ(window_scale_get(&window), 1.0f);
    window_layout_set(&window, {1920.0f, 1080.0f}, {1920.0f, 1080.0f});
    EXPECT_EQ(window_scale_get(&window), 1.5f);
    window_layout_set(&window, {1600.0f, 720.0f}, {1600.0f, 720.0f});
    EXPECT_EQ(window_scale_get(&window), 1.0f) << "bars beside the field do not scale it";
    window_layout_set(&window, {1280.0f, 720.0f}, {2560.0f, 1440.0f});
    EXPECT_EQ(window_scale_get(&window), 2.0f) << "a dense display counts its pixels";
    window_layout_set(&window, {640.0f, 600.0f}, {640.0f, 600.0f});
    EXPECT_EQ(window_scale_get(&window), 0.5f);
}

TEST(Window, WholePointsOverFieldPointsMapBackExactlyAtAnyScale) {
    // Steering must not differ in the last bit between window sizes: a pointer on the window
    // point over a field point must read as that very field point.
    Window window = {};
    window.field = {1280.0f, 720.0f};
    const vec2 sizes[] = {{1920, 1080}, {2560, 1440}, {3840, 2160}, {1600, 720}, {1280, 1000}};
    for (vec2 size : sizes) {
        window_layout_set(&window, size, size);
        f64 scale = static_cast<f64>(window.viewport.z) / 1280.0;
        f64 top = size.y - static_cast<f64>(window.viewport.y + window.viewport.w);
        for (int y = 0; y <= 720; y += 2) {
            for (int x = 0; x <= 1280; x += 2) {
                f64 wx = window.viewport.x + x * scale;
                f64 wy = top + y * scale;
                if (wx != std::floor(wx) || wy != std::floor(wy)) continue;
                vec2 in = {static_cast<f32>(wx), static_cast<f32>(wy)};
                vec2 out;
                window_point_to_field(&window, &in, &out);
                ASSERT_EQ(out, vec2(static_cast<f32>(x), static_cast<f32>(y))) << size.x << "x" << size.y;
            }
        }
    }
}
