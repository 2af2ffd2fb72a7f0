#include "components/c_stun.hpp"

#include "components/c_control.hpp"
#include "components/c_health.hpp"
#include "components/c_physics.hpp"
#include "components/c_rotation.hpp"
#include "game/game.hpp"

namespace {

void update_f(void *record) {
    CStun *stun = static_cast<CStun *>(record);
    CPhysics *physics = ecs_get_as<CPhysics>(stun->entity, C_PHYSICS);
    CControl *control = ecs_get_as<CControl>(stun->entity, C_CONTROL);
    CRotation *rotation = ecs_get_as<CRotation>(stun->entity, C_ROTATION);
    const CHealth *health = ecs_get_as<CHealth>(stun->entity, C_HEALTH);
    // A stun in force at death stays for good; an entity without health is never dead.
    if (health && health->dead) return;
    if (!control || !rotation || !physics || !stun->active) return;
    control->disabled = true;
    rotation->disabled = true;
    physics->velocity = {0.0f, 0.0f, 0.0f};
    stun->timer -= 1;
    if (stun->timer <= 0) {
        control->disabled = false;
        rotation->disabled = false;
        stun->active = false;
    }
}

} // namespace

void c_stun_register() {
    ecs_register(C_STUN, sizeof(CStun), ECS_RECORD_CAPACITY, nullptr, nullptr, update_f, nullptr, nullptr);
}

void c_stun_set(CStun *stun, i32 ticks) {
    stun->timer = ticks;
    stun->duration = ticks;
    stun->active = true;
}
