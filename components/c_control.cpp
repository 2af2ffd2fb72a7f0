#include "components/c_control.hpp"

#include <cmath>

#include "components/c_physics.hpp"
#include "game/game.hpp"
#include "game/game_input.hpp"

namespace {

void update_f(void *record) {
    CControl *control = static_cast<CControl *>(record);
    CPhysics *physics = ecs_get_as<CPhysics>(control->entity, C_PHYSICS);
    if (!physics || control->disabled) return;

    // Distances are measured in normalized field coordinates (-1 ... 1 on each axis), so the
    // push is the same whatever size the window is. The centre is pushed toward where the player
    // steers it, when anything does.
    vec2 position_px = {physics->position.x, physics->position.y};
    vec2 target;
    if (!game_input_steer(&position_px, &target)) return;
    vec2 aim;
    window_field_coords_to_gl(&game.window, &target, &aim);
    vec2 position;
    window_field_coords_to_gl(&game.window, &position_px, &position);

    f64 dx = position.x - aim.x;
    f64 dy = position.y - aim.y;
    f32 distance = static_cast<f32>(std::sqrt(dx * dx + dy * dy));
    if (control->dead_zone > distance) return;

    // The single-precision differences go through the double-precision atan2, not atan2f.
    f64 towards_y = aim.y - position.y;
    f64 towards_x = aim.x - position.x;
    f32 theta = static_cast<f32>(std::atan2(towards_y, towards_x));
    f32 k = distance / control->speed_divisor;
    physics->velocity.x = static_cast<f32>(physics->velocity.x + static_cast<f64>(k) * std::cos(static_cast<f64>(theta)));
    physics->velocity.y = static_cast<f32>(physics->velocity.y + static_cast<f64>(k) * std::sin(static_cast<f64>(theta)));
}

} // namespace

void c_control_register() {
    ecs_register(C_CONTROL, sizeof(CControl), ECS_RECORD_CAPACITY, nullptr, nullptr, update_f, nullptr, nullptr);
}

void c_control_set(CControl *control, f32 speed_divisor, f32 dead_zone) {
    control->speed_divisor = speed_divisor;
    control->dead_zone = dead_zone;
}
