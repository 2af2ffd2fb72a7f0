#include "components/c_scale.hpp"

#include <algorithm>

#include "components/c_sprite.hpp"
#include "components/c_text.hpp"
#include "game/game.hpp"

namespace {

void add(void *record) { static_cast<CScale *>(record)->done = true; }

void update_f(void *record) {
    CScale *scale = static_cast<CScale *>(record);
    CSprite *sprite = ecs_get_as<CSprite>(scale->entity, C_SPRITE);
    CText *text = ecs_get_as<CText>(scale->entity, C_TEXT);
    if (scale->done) return;
    f32 *driven = sprite ? &sprite->scale : text ? &text->scale : nullptr;
    if (!driven) return;

    f32 base = scale->base_scale;
    f32 delta = scale->scale_delta;
    scale->done = change_step(
        driven, base, &scale->timer, scale->duration, scale->type, [=](f32 t) { return (1.0f - t) * delta + base; },
        [=](f32 t) { return t * delta + base; });
}

} // namespace

void c_scale_register() {
    ecs_register(C_SCALE, sizeof(CScale), ECS_RECORD_CAPACITY, add, nullptr, update_f, nullptr, nullptr);
}

void c_scale_set(CScale *scale, f32 base_scale, f32 scale_delta, i32 duration, ChangeType type) {
    // A duration below one step would divide by zero; it behaves as one step.
    duration = std::max(duration, 1);
    scale->base_scale = base_scale;
    scale->scale_delta = scale_delta;
    scale->type = type;
    scale->timer = duration;
    scale->duration = duration;
    scale->done = false;
}
