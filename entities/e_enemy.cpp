#include "entities/e_enemy.hpp"

#include <array>

#include "components/c_chase.hpp"
#include "components/c_color.hpp"
#include "components/c_game_object.hpp"
#include "components/c_spin.hpp"
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
constexpr vec2 ENEMY_SIZE = {25.0f, 25.0f};

constexpr u32 ENEMY_KINDS[] = {C_GAME_OBJECT, C_CHASE, C_SPIN, C_COLOR, C_CONTACT_DAMAGE, C_PARTICLE_SPAWN};

} // namespace

void enemy_init(EntityId enemy, EntityId target, i32 color_index, vec3 position, f32 acceleration) {
    for (u32 kind : ENEMY_KINDS) ecs_add(enemy, kind);
    const vec4 &color = C_COLOR_VALUES[static_cast<size_t>(color_index) % C_COLOR_VALUES.size()];

    c_game_object_set(ecs_get_as<CGameObject>(enemy, C_GAME_OBJECT), game.textures[TEXTURE_ENEMY], SHADER_TEXTURE_QUAD,
                      ORIGIN_CENTER, ENEMY_SIZE, position, color, 0.95f, 20.0f, 16.0f);
    c_chase_set(ecs_get_as<CChase>(enemy, C_CHASE), target, acceleration);
    c_spin_set(ecs_get_as<CSpin>(enemy, C_SPIN), 0.05f);
    c_color_set(ecs_get_as<CColor>(enemy, C_COLOR), color_index);
}
