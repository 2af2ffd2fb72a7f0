#include "entities/e_follower.hpp"

#include <array>

#include "components/c_color.hpp"
#include "components/c_color_change.hpp"
#include "components/c_game_object.hpp"
#include "components/c_scale.hpp"
#include "components/c_sprite.hpp"
#include "entities/emblem.hpp"
#include "game/game.hpp"

namespace {

constexpr std::array<vec4, 6> C_COLOR_VALUES = {{
    {0.3f, 1.0f, 0.3f, 1.0f},
    {0.2f, 0.5f, 0.8f, 1.0f},
    {1.0f, 0.2f, 0.2f, 1.0f},
    {1.0f, 1.0f, 0.3f, 1.0f},
    {1.0f, 0.2f, 0.9f, 1.0f},
    {0.2f, 1.0f, 0.9f, 1.0f},
}};
constexpr vec2 FOLLOWER_SIZE = {30.0f, 30.0f};
constexpr vec3 FOLLOWER_POSITION = {0.0f, 0.0f, 0.0f};
constexpr vec4 FOLLOWER_COLOR_CHANGE_COLOR = {1.0f, 1.0f, 1.0f, 0.0f};

} // namespace

void follower_init(EntityId follower, i32 color_index) {
    // Each kind is added once, so the records handed out stay where they are.
    CColor *color_record = ecs_add_as<CColor>(follower, C_COLOR);
    CColorChange *color_change = ecs_add_as<CColorChange>(follower, C_COLOR_CHANGE);
    CGameObject *game_object = ecs_add_as<CGameObject>(follower, C_GAME_OBJECT);
    CScale *scale = ecs_add_as<CScale>(follower, C_SCALE);
    ecs_add(follower, C_COLOR_COLLIDE_DELETE);
    ecs_add(follower, C_TIME_DELETE);
    const size_t palette_index = static_cast<size_t>(color_index) % C_COLOR_VALUES.size();
    const vec4 &color = C_COLOR_VALUES[palette_index];

    c_game_object_set(game_object, game.textures[TEXTURE_FOLLOWER], SHADER_TEXTURE_QUAD, ORIGIN_CENTER, FOLLOWER_SIZE,
                      FOLLOWER_POSITION, color, 0.95f, 5.0f, 30.0f);
    emblem_sprite_set(ecs_get_as<CSprite>(follower, C_SPRITE), game.textures[TEXTURE_FOLLOWER], palette_index,
                      C_COLOR_VALUES.size());
    c_color_change_set(color_change, &color, &FOLLOWER_COLOR_CHANGE_COLOR, 60, CHANGE_BACKWARD_RESET);
    c_scale_set(scale, 1.0f, -1.0f, 30, CHANGE_BACKWARD_RESET);
    c_color_set(color_record, color_index);
}
