#include "components/c_spin.hpp"

#include "components/c_sprite.hpp"
#include "game/game.hpp"

namespace {

void update_f(void *record) {
    CSpin *spin = static_cast<CSpin *>(record);
    if (CSprite *sprite = ecs_get_as<CSprite>(spin->entity, C_SPRITE)) sprite->rotation += spin->speed;
}

} // namespace

void c_spin_register() {
    ecs_register(C_SPIN, sizeof(CSpin), ECS_RECORD_CAPACITY, nullptr, nullptr, update_f, nullptr, nullptr);
}

void c_spin_set(CSpin *spin, f32 speed) { spin->speed = speed; }
