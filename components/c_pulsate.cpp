#include "components/c_pulsate.hpp"

#include <algorithm>
#include <cmath>

#include "components/c_sprite.hpp"
#include "game/game.hpp"

namespace {

void update_f(void *record) {
    CPulsate *pulsate = static_cast<CPulsate *>(record);
    CSprite *sprite = ecs_get_as<CSprite>(pulsate->entity, C_SPRITE);
    if (!sprite || pulsate->done) return;
    f32 t = static_cast<f32>(pulsate->timer) / static_cast<f32>(pulsate->period);
    sprite->scale = static_cast<f32>(static_cast<f64>(pulsate->amplitude) * std::sin(static_cast<f64>(t) * PI2_F64) +
                                     static_cast<f64>(pulsate->base_scale));
    pulsate->timer -= 1;
    if (pulsate->timer <= 0) {
        sprite->scale = pulsate->base_scale;
        pulsate->timer = pulsate->period;
    }
}

} // namespace

void c_pulsate_register() {
    ecs_register(C_PULSATE, sizeof(CPulsate), ECS_RECORD_CAPACITY, nullptr, nullptr, update_f, nullptr, nullptr);
}

void c_pulsate_set(CPulsate *pulsate, f32 base_scale, f32 amplitude, i32 period) {
    // A period below one step would divide by zero; it behaves as one step.
    period = std::max(period, 1);
    pulsate->base_scale = base_scale;
    pulsate->amplitude = amplitude;
    pulsate->timer = period;
    pulsate->period = period;
}
