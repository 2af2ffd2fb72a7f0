#include "components/c_rotation.hpp"

#include <algorithm>

#include "game/game.hpp"
#include "game/game_input.hpp"

namespace {

void add(void *record) {
    CRotation *rotation = static_cast<CRotation *>(record);
    rotation->speed = -2.5f;
    rotation->angle = 1.5707964f;
}

void update_f(void *record) {
    CRotation *rotation = static_cast<CRotation *>(record);
    if (rotation->disabled) return;
    if (game_input_held(ACTION_SPIN_LEFT)) rotation->speed += rotation->acceleration;
    f32 s = rotation->speed;
    if (game_input_held(ACTION_SPIN_RIGHT)) s = rotation->speed - rotation->acceleration;
    rotation->speed = std::clamp(s * rotation->damping, -rotation->speed_max, rotation->speed_max);

    f32 a = rotation->angle + rotation->speed;
    if (static_cast<f64>(a) > PI2_F64) {
        rotation->angle = 0.0f;
    } else if (a < 0.0f) {
        rotation->angle = PI2_F32;
    } else {
        rotation->angle = a;
    }
}

} // namespace

void c_rotation_register() {
    ecs_register(C_ROTATION, sizeof(CRotation), ECS_RECORD_CAPACITY, add, nullptr, update_f, nullptr, nullptr);
}

void c_rotation_set(CRotation *rotation, f32 acceleration, f32 speed_max, f32 damping) {
    rotation->acceleration = acceleration;
    rotation->speed_max = speed_max;
    rotation->damping = damping;
}
