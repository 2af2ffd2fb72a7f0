#include "entities/e_enemy.hpp"

#include <array>

#include "components/c_chase.hpp"
#include "components/c_color.hpp"
#include "components/c_game_object.hpp"
#include "components/c_spin.hpp"
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
constexpr vec2 ENEMY_SIZE = {25.0f, 25.0f};

} // namespace

void enemy_init(EntityId enemy, EntityId target, i32 color_index, vec3 position, f32 acceleration) {
    // Each kind is added once, so the records handed out stay where they are.
    CGameObject *game_object = ecs_add_as<CGameObject>(enemy, C_GAME_OBJECT);
    CChase *chase = ecs_add_as<CChase>(enemy, C_CHASE);
    CSpin *spin = ecs_add_as<CSpin>(enemy, C_SPIN);
    CColor *color_record = ecs_add_as<CColor>(enemy, C_COLOR);
    ecs_add(enemy, C_CONTACT_DAMAGE);
    ecs_add(enemy, C_PARTICLE_SPAWN);
    const size_t palette_index = static_cast<size_t>(color_index) % C_COLOR_VALUES.size();
    const vec4 &color = C_COLOR_VALUES[palette_index];

    c_game_object_set(game_object, game.textures[TEXTURE_ENEMY], SHADER_TEXTURE_QUAD, ORIGIN_CENTER, ENEMY_SIZE, position,
                      color, 0.95f, 20.0f, 16.0f);
    emblem_sprite_set(ecs_get_as<CSprite>(enemy, C_SPRITE), game.textures[TEXTURE_ENEMY], palette_index,
                      C_COLOR_VALUES.size());
    c_chase_set(chase, target, acceleration);
    c_spin_set(spin, 0.05f);
    c_color_set(color_record, color_index);
}
