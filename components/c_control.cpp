#include "components/c_control.hpp"

#include <cmath>

#include "components/c_physics.hpp"
#include "game/game.hpp"

namespace {

void update_f(void *record) {
    CControl *control = static_cast<CControl *>(record);
    CPhysics *physics = ecs_get_as<CPhysics>(control->entity, C_PHYSICS);
    if (!physics || control->disabled) return;

    // Distances are measured in normalized field coordinates (-1 ... 1 on each axis), so the
    // push is the same whatever size the window is.
    // The centre is pushed toward the pointer, or toward where a pad's stick points from it.
    // A finger is never a target: a thumb on the screen would drag the centre under it.
    vec2 position_px = {physics->position.x, physics->position.y};
    vec2 target = game.mouse.position;
    if (game.gamepad.steering) {
        gamepad_steer_target(&game.gamepad, &game.window.field, &position_px, &target);
    } else if (game.event.pointer_touch) {
        return;
    }
    vec2 mouse;
    window_field_coords_to_gl(&game.window, &target, &mouse);
    vec2 position;
    window_field_coords_to_gl(&game.window, &position_px, &position);

    f64 dx = position.x - mouse.x;
    f64 dy = position.y - mouse.y;
    f32 distance = static_cast<f32>(std::sqrt(dx * dx + dy * dy));
    if (control->dead_zone > distance) return;

    // The single-precision differences go through the double-precision atan2, not atan2f.
    f64 towards_y = mouse.y - position.y;
    f64 towards_x = mouse.x - position.x;
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
