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

// Kinds the player carries beside the ones its game object adds, in the order they are added.
constexpr u32 PLAYER_KINDS[] = {C_CONTROL, C_HEALTH,  C_GAME_OBJECT,         C_GYREL,        C_PULSATE,
                                C_ROTATION, C_COLOR_CHANGE, C_DAMAGE, C_FLASH, C_PLAYER_ATLAS_HEALTH,
                                C_PLAYER_DEATH, C_SCALE, C_STUN};

} // namespace

void player_init(EntityId player, vec3 position) {
    for (u32 kind : PLAYER_KINDS) ecs_add(player, kind);

    c_game_object_atlas_set(ecs_get_as<CGameObject>(player, C_GAME_OBJECT), game.textures[TEXTURE_PLAYER],
                            SHADER_TEXTURE_QUAD, ORIGIN_CENTER, 64, 64, 1, 4, PLAYER_SIZE, position, COLOR_OPAQUE, 0.7f,
                            5.0f, 20.0f);
    c_control_set(ecs_get_as<CControl>(player, C_CONTROL), 0.01f, 0.01f);
    c_rotation_set(ecs_get_as<CRotation>(player, C_ROTATION), 0.0025f, 0.05f, 0.975f);
    c_health_set(ecs_get_as<CHealth>(player, C_HEALTH), PLAYER_HEALTH);
    c_gyrel_set(ecs_get_as<CGyrel>(player, C_GYREL), 100.0f);
    c_pulsate_set(ecs_get_as<CPulsate>(player, C_PULSATE), 1.0f, 0.1f, 20);
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
