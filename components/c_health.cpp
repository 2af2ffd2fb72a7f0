#include "components/c_health.hpp"

#include "game/game.hpp"

namespace {

void update_f(void *record) {
    CHealth *health = static_cast<CHealth *>(record);
    if (health->value <= 0) {
        health->value = 0;
        health->dead = true;
    } else {
        health->dead = false;
    }
}

} // namespace

void c_health_register() {
    ecs_register(C_HEALTH, sizeof(CHealth), ECS_RECORD_CAPACITY, nullptr, nullptr, update_f, nullptr, nullptr);
}

void c_health_set(CHealth *health, i32 value) {
    health->value = value;
    health->max = value;
    health->dead = false;
}
