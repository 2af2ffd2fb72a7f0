#include "components/c_flash.hpp"

#include <cmath>

#include "game/game.hpp"

namespace {

void update_f(void *record) {
    CFlash *flash = static_cast<CFlash *>(record);
    if (flash->done) return;
    // A never-set record has duration 0: the strength is NaN, but that colour is
    // replaced by the base colour within this same update.
    f32 t = static_cast<f32>(flash->timer) / static_cast<f32>(flash->duration);
    f32 strength;
    switch (flash->type) {
    case FLASH_FADE_OUT:
        strength = t;
        break;
    case FLASH_FADE_IN:
        strength = 1.0f - t;
        break;
    case FLASH_PULSE:
        strength = static_cast<f32>(std::sin(static_cast<f64>(2.0f * t) * PI2_F64));
        break;
    default:
        strength = 1.0f;
        break;
    }
    vec4 color = flash->color * strength;
    renderer_clear_color_set(&game.renderer, &color);

    if (flash->timer > 0) {
        flash->timer -= 1;
        return;
    }
    renderer_clear_color_set(&game.renderer, &flash->base_color);
    flash->timer = 0;
    flash->done = true;
}

} // namespace

void c_flash_register() {
    ecs_register(C_FLASH, sizeof(CFlash), ECS_RECORD_CAPACITY, nullptr, nullptr, update_f, nullptr, nullptr);
}

void c_flash_set(CFlash *flash, const vec4 *base_color, const vec4 *color, i32 duration, FlashType type) {
    flash->base_color = *base_color;
    flash->color = *color;
    flash->timer = duration;
    flash->duration = duration;
    flash->type = type;
    flash->done = false;
}
