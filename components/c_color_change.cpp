#include "components/c_color_change.hpp"

#include <algorithm>

#include "components/c_sprite.hpp"
#include "components/c_text.hpp"
#include "game/game.hpp"

namespace {

void add(void *record) { static_cast<CColorChange *>(record)->done = true; }

void update_f(void *record) {
    CColorChange *change = static_cast<CColorChange *>(record);
    CSprite *sprite = ecs_get_as<CSprite>(change->entity, C_SPRITE);
    CText *text = ecs_get_as<CText>(change->entity, C_TEXT);
    if (change->done) return;
    vec4 *driven = sprite ? &sprite->color : text ? &text->color : nullptr;
    if (!driven) return;

    vec4 base = change->base_color;
    vec4 color = change->color;
    change->done = change_step(
        driven, base, &change->timer, change->duration, change->type,
        [=](f32 t) { return base - (1.0f - t) * (base - color); },
        [=](f32 t) { return color - (1.0f - t) * (color - base); });
}

} // namespace

void c_color_change_register() {
    ecs_register(C_COLOR_CHANGE, sizeof(CColorChange), ECS_RECORD_CAPACITY, add, nullptr, update_f, nullptr,
                 nullptr);
}

void c_color_change_set(CColorChange *color_change, const vec4 *base_color, const vec4 *color, i32 duration,
                        ChangeType type) {
    // A duration below one step would divide by zero; it behaves as one step.
    duration = std::max(duration, 1);
    color_change->base_color = *base_color;
    color_change->color = *color;
    color_change->timer = duration;
    color_change->duration = duration;
    color_change->type = type;
    color_change->done = false;
}
