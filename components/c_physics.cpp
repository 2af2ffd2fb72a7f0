#include "components/c_physics.hpp"

#include <algorithm>

#include "game/game.hpp"

namespace {

void update_f(void *record) {
    CPhysics *physics = static_cast<CPhysics *>(record);
    physics->position += physics->velocity;
    for (i32 axis = 0; axis < 3; axis++) {
        f32 v = physics->velocity[axis] * physics->damping;
        physics->velocity[axis] = std::clamp(v, -physics->velocity_max, physics->velocity_max);
    }
}

} // namespace

void c_physics_register() {
    ecs_register(C_PHYSICS, sizeof(CPhysics), ECS_RECORD_CAPACITY, nullptr, nullptr, update_f, nullptr, nullptr);
}

void c_physics_set(CPhysics *physics, vec3 position, f32 damping, f32 velocity_max) {
    physics->position = position;
    physics->damping = damping;
    physics->velocity_max = velocity_max;
}
