#include "components/c_player_death.hpp"

#include "components/c_color_change.hpp"
#include "components/c_color_collide_delete.hpp"
#include "components/c_control.hpp"
#include "components/c_gyrel.hpp"
#include "components/c_health.hpp"
#include "components/c_pulsate.hpp"
#include "components/c_rotation.hpp"
#include "components/c_scale.hpp"
#include "components/c_sprite.hpp"
#include "components/c_time_delete.hpp"
#include "game/game.hpp"

namespace {

constexpr vec4 C_PLAYER_DEATH_FOLLOWER_COLOR = {1.0f, 1.0f, 1.0f, 0.0f};
constexpr vec4 C_PLAYER_DEATH_GROW_COLOR_CHANGE_BASE_COLOR = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr vec4 C_PLAYER_DEATH_GROW_COLOR_CHANGE_COLOR = {1.0f, 0.0f, 0.0f, 0.5f};
constexpr vec4 C_PLAYER_DEATH_VANISH_COLOR_CHANGE_BASE_COLOR = {1.0f, 0.0f, 0.0f, 0.5f};
constexpr vec4 C_PLAYER_DEATH_VANISH_COLOR_CHANGE_COLOR = {0.0f, 0.0f, 0.0f, 0.0f};

constexpr i32 STAGE_FOLLOWERS = 1;
constexpr i32 STAGE_SWELL = 2;
constexpr i32 STAGE_VANISH = 3;
constexpr i32 STAGE_OVER = 4;

void followers_fade(const CGyrel *gyrel) {
    for (i32 i = 0; i < gyrel->objects.count; i++) {
        EntityId member = *static_cast<const EntityId *>(vector_get(&gyrel->objects, i));
        CTimeDelete *time_delete = ecs_get_as<CTimeDelete>(member, C_TIME_DELETE);
        CScale *scale = ecs_get_as<CScale>(member, C_SCALE);
        CColorChange *color_change = ecs_get_as<CColorChange>(member, C_COLOR_CHANGE);
        CSprite *sprite = ecs_get_as<CSprite>(member, C_SPRITE);
        CColorCollideDelete *collide = ecs_get_as<CColorCollideDelete>(member, C_COLOR_COLLIDE_DELETE);
        if (!time_delete || !scale || !color_change || !sprite || !collide) continue;
        collide->disabled = true;
        c_scale_set(scale, 1.0f, 2.0f, 30, CHANGE_FORWARD_RESET);
        vec4 current = sprite->color;
        c_color_change_set(color_change, &current, &C_PLAYER_DEATH_FOLLOWER_COLOR, 30, CHANGE_FORWARD_RESET);
        c_time_delete_set(time_delete, 30);
    }
}

void update_f(void *record) {
    CPlayerDeath *death = static_cast<CPlayerDeath *>(record);
    const CHealth *health = ecs_get_as<CHealth>(death->entity, C_HEALTH);
    if (!health || !health->dead || death->stage == STAGE_OVER) return;

    if (death->stage == 0) {
        CControl *control = ecs_get_as<CControl>(death->entity, C_CONTROL);
        CRotation *rotation = ecs_get_as<CRotation>(death->entity, C_ROTATION);
        const CGyrel *gyrel = ecs_get_as<CGyrel>(death->entity, C_GYREL);
        CPulsate *pulsate = ecs_get_as<CPulsate>(death->entity, C_PULSATE);
        if (control && rotation && gyrel && pulsate) {
            control->disabled = true;
            rotation->disabled = true;
            pulsate->done = true;
            followers_fade(gyrel);
            death->stage = STAGE_FOLLOWERS;
            death->timer = 19;
            return;
        }
    }

    death->timer -= 1;
    if (death->timer > 0) return;
    death->stage += 1;
    CScale *scale = ecs_get_as<CScale>(death->entity, C_SCALE);
    CColorChange *color_change = ecs_get_as<CColorChange>(death->entity, C_COLOR_CHANGE);
    switch (death->stage) {
    case STAGE_FOLLOWERS:
        death->timer = 20;
        break;
    case STAGE_SWELL:
        if (scale) c_scale_set(scale, 1.0f, 3.0f, 80, CHANGE_FORWARD_HOLD);
        if (color_change) {
            c_color_change_set(color_change, &C_PLAYER_DEATH_GROW_COLOR_CHANGE_BASE_COLOR,
                               &C_PLAYER_DEATH_GROW_COLOR_CHANGE_COLOR, 80, CHANGE_FORWARD_HOLD);
        }
        death->timer = 80;
        break;
    case STAGE_VANISH:
        if (scale) c_scale_set(scale, 3.0f, -3.0f, 80, CHANGE_FORWARD_HOLD);
        if (color_change) {
            c_color_change_set(color_change, &C_PLAYER_DEATH_VANISH_COLOR_CHANGE_BASE_COLOR,
                               &C_PLAYER_DEATH_VANISH_COLOR_CHANGE_COLOR, 80, CHANGE_FORWARD_HOLD);
        }
        death->timer = 80;
        break;
    default:
        break;
    }
}

void add(void *record) { static_cast<CPlayerDeath *>(record)->stage = 0; }

} // namespace

void c_player_death_register() {
    ecs_register(C_PLAYER_DEATH, sizeof(CPlayerDeath), ECS_RECORD_CAPACITY, add, nullptr, update_f, nullptr,
                 nullptr);
}
