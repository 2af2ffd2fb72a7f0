#include "components/c_chase.hpp"

#include <cmath>

#include "components/c_physics.hpp"
#include "game/game.hpp"

namespace {

void update_f(void *record) {
    CChase *chase = static_cast<CChase *>(record);
    CPhysics *self = ecs_get_as<CPhysics>(chase->entity, C_PHYSICS);
    CPhysics *target = ecs_get_as<CPhysics>(chase->target, C_PHYSICS);
    if (!self || !target) return;
    f32 dy = self->position.y - target->position.y;
    f32 dx = self->position.x - target->position.x;
    f32 theta = static_cast<f32>(std::atan2(static_cast<f64>(dy), static_cast<f64>(dx)));
    f64 acceleration = chase->acceleration;
    self->velocity.x = static_cast<f32>(self->velocity.x - acceleration * std::cos(static_cast<f64>(theta)));
    self->velocity.y = static_cast<f32>(self->velocity.y - acceleration * std::sin(static_cast<f64>(theta)));
}

} // namespace

void c_chase_register() {
    ecs_register(C_CHASE, sizeof(CChase), ECS_RECORD_CAPACITY, nullptr, nullptr, update_f, nullptr, nullptr);
}

void c_chase_set(CChase *chase, EntityId target, f32 acceleration) {
    chase->target = target;
    chase->acceleration = acceleration;
}
