// The shared harness itself: other suites rely on drawing and reading pixels back.
#include <GL/glew.h>
#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include "ecs/entity.hpp"
#include "engine/surface.hpp"
#include "game/game.hpp"
#include "game/shader_texture_quad.hpp"
#include "tests/support/test_env.hpp"

namespace {

struct QuadRecord {
    EntityId entity;
};

Texture white;

void quad_draw(void *) {
    Atlas atlas;
    atlas_init(&atlas, white, white.width, white.height, 1, 1);
    mat4 model = glm::translate(mat4(1.0f), vec3(100.0f, 50.0f, 0.0f));
    shader_texture_quad_draw(&atlas, SHADER_TEXTURE_QUAD, model, {40.0f, 30.0f}, {1.0f, 0.0f, 0.0f, 1.0f});
}

} // namespace

TEST(Harness, ClearColourAndQuadReadBack) {
    test_game_reset();
    test_resources_load();
    SDL_Surface *surface = nullptr;
    surface_rgba_init(&surface, {4, 4});
    SDL_FillRect(surface, nullptr, 0xFFFFFFFFu);
    texture_surface_init(&white, surface);
    SDL_FreeSurface(surface);

    vec4 clear = {0.0f, 0.0f, 1.0f, 1.0f};
    renderer_clear_color_set(&game.renderer, &clear);
    ecs_register(C_CHASE, sizeof(QuadRecord), 255, nullptr, nullptr, nullptr, nullptr, quad_draw);
    ecs_add(entity_add(), C_CHASE);
    for (int frame = 0; frame < 3; frame++) {
        test_frame_draw();
        EXPECT_EQ(test_pixel_get(10, 10), 0x0000FFFFu);
        EXPECT_EQ(test_pixel_get(1279, 719), 0x0000FFFFu);
        EXPECT_EQ(test_pixel_get(100, 50), 0xFF0000FFu);
        EXPECT_EQ(test_pixel_get(139, 79), 0xFF0000FFu);
        EXPECT_EQ(test_pixel_get(140, 50), 0x0000FFFFu);
        EXPECT_EQ(test_pixel_get(100, 80), 0x0000FFFFu);
        renderer_present(&game.renderer);
    }
    texture_free(&white);
    test_game_reset();
}
