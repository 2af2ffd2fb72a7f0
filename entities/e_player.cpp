#include "entities/e_player.hpp"

#include "components/c_control.hpp"
#include "components/c_game_object.hpp"
#include "components/c_gyrel.hpp"
#include "components/c_health.hpp"
#include "components/c_pulsate.hpp"
#include "components/c_rotation.hpp"
#include "ecs/entity.hpp"
#include "entities/e_follower.hpp"
#include "game/game.hpp"

namespace {

constexpr vec2 PLAYER_SIZE = {40.0f, 40.0f};
constexpr vec4 COLOR_OPAQUE = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr i32 PLAYER_HEALTH = 3;
constexpr i32 PLAYER_FOLLOWERS_MAX = 6;

} // namespace

void player_init(EntityId player, vec3 position) {
    // The records are used as ecs_add hands them out: each kind is added once here, so none
    // moves, and a full kind's stand-in record (which ecs_get never finds) is still safe to set.
    CControl *control = ecs_add_as<CControl>(player, C_CONTROL);
    CHealth *health = ecs_add_as<CHealth>(player, C_HEALTH);
    CGameObject *game_object = ecs_add_as<CGameObject>(player, C_GAME_OBJECT);
    CGyrel *gyrel = ecs_add_as<CGyrel>(player, C_GYREL);
    CPulsate *pulsate = ecs_add_as<CPulsate>(player, C_PULSATE);
    CRotation *rotation = ecs_add_as<CRotation>(player, C_ROTATION);
    ecs_add(player, C_COLOR_CHANGE);
    ecs_add(player, C_DAMAGE);
    ecs_add(player, C_FLASH);
    ecs_add(player, C_PLAYER_ATLAS_HEALTH);
    ecs_add(player, C_PLAYER_DEATH);
    ecs_add(player, C_SCALE);
    ecs_add(player, C_STUN);

    c_game_object_atlas_set(game_object, game.textures[TEXTURE_PLAYER], SHADER_TEXTURE_QUAD, ORIGIN_CENTER, 64, 64, 1,
                            4, PLAYER_SIZE, position, COLOR_OPAQUE, 0.7f, 5.0f, 20.0f);
    c_control_set(control, 0.01f, 0.01f);
    c_rotation_set(rotation, 0.0025f, 0.05f, 0.975f);
    c_health_set(health, PLAYER_HEALTH);
    c_gyrel_set(gyrel, 100.0f);
    c_pulsate_set(pulsate, 1.0f, 0.1f, 20);
}

void player_follower_add(EntityId player) {
    CGyrel *gyrel = ecs_get_as<CGyrel>(player, C_GYREL);
    if (!gyrel) return;
    // There are only six palette colours to give.
    i32 index = gyrel->objects.count;
    if (index >= PLAYER_FOLLOWERS_MAX) return;
    EntityId follower = entity_add();
    follower_init(follower, index);
    // Building the follower does not touch the circling kind, but look it up again anyway.
    c_gyrel_object_add(ecs_get_as<CGyrel>(player, C_GYREL), follower);
}
