#include "entities/e_follower.hpp"

#include <array>

#include "components/c_color.hpp"
#include "components/c_color_change.hpp"
#include "components/c_game_object.hpp"
#include "components/c_scale.hpp"
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

constexpr u32 FOLLOWER_KINDS[] = {C_COLOR, C_COLOR_CHANGE, C_GAME_OBJECT, C_SCALE, C_COLOR_COLLIDE_DELETE,
                                  C_TIME_DELETE};

} // namespace

void follower_init(EntityId follower, i32 color_index) {
    for (u32 kind : FOLLOWER_KINDS) ecs_add(follower, kind);
    const vec4 &color = C_COLOR_VALUES[static_cast<size_t>(color_index) % C_COLOR_VALUES.size()];

    c_game_object_set(ecs_get_as<CGameObject>(follower, C_GAME_OBJECT), game.textures[TEXTURE_FOLLOWER],
                      SHADER_TEXTURE_QUAD, ORIGIN_CENTER, FOLLOWER_SIZE, FOLLOWER_POSITION, color, 0.95f, 5.0f, 30.0f);
    c_color_change_set(ecs_get_as<CColorChange>(follower, C_COLOR_CHANGE), &color, &FOLLOWER_COLOR_CHANGE_COLOR, 60,
                       CHANGE_BACKWARD_RESET);
    c_scale_set(ecs_get_as<CScale>(follower, C_SCALE), 1.0f, -1.0f, 30, CHANGE_BACKWARD_RESET);
    c_color_set(ecs_get_as<CColor>(follower, C_COLOR), color_index);
}
