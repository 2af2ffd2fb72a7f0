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

    f32 t = static_cast<f32>(scale->timer) / static_cast<f32>(scale->duration);
    switch (scale->type) {
    case CHANGE_FORWARD_RESET:
    case CHANGE_FORWARD_HOLD:
        *driven = (1.0f - t) * scale->scale_delta + scale->base_scale;
        break;
    case CHANGE_BACKWARD_RESET:
    case CHANGE_BACKWARD_HOLD:
        *driven = t * scale->scale_delta + scale->base_scale;
        break;
    default:
        break;
    }

    scale->timer -= 1;
    if (scale->timer > 0) return;
    if (scale->type == CHANGE_FORWARD_RESET || scale->type == CHANGE_BACKWARD_RESET) *driven = scale->base_scale;
    scale->done = true;
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
