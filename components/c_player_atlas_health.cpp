#include "components/c_player_atlas_health.hpp"

#include "components/c_health.hpp"
#include "components/c_sprite.hpp"
#include "game/game.hpp"

namespace {

void update_f(void *record) {
    const CPlayerAtlasHealth *atlas_health = static_cast<const CPlayerAtlasHealth *>(record);
    CSprite *sprite = ecs_get_as<CSprite>(atlas_health->entity, C_SPRITE);
    const CHealth *health = ecs_get_as<CHealth>(atlas_health->entity, C_HEALTH);
    if (sprite && health) sprite->atlas.frame = health->max - health->value;
}

} // namespace

void c_player_atlas_health_register() {
    ecs_register(C_PLAYER_ATLAS_HEALTH, sizeof(CPlayerAtlasHealth), ECS_RECORD_CAPACITY, nullptr, nullptr, update_f,
                 nullptr, nullptr);
}
