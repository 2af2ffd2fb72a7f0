#include "components/c_move.hpp"

#include <algorithm>

#include "components/c_sprite.hpp"
#include "components/c_text.hpp"
#include "game/game.hpp"

namespace {

void add(void *record) { static_cast<CMove *>(record)->done = true; }

void update_f(void *record) {
    CMove *move = static_cast<CMove *>(record);
    vec3 *target = nullptr;
    if (CSprite *sprite = ecs_get_as<CSprite>(move->entity, C_SPRITE)) {
        target = &sprite->position;
    } else if (CText *text = ecs_get_as<CText>(move->entity, C_TEXT)) {
        target = &text->position;
    }
    if (!target || move->done) return;

    vec3 base = move->base_position;
    vec3 goal = move->position;
    move->done = change_step(
        target, base, &move->timer, move->duration, move->type,
        [=](f32 t) { return base - (base - goal) * (1.0f - t); },
        [=](f32 t) { return goal - (goal - base) * (1.0f - t); });
}

} // namespace

void c_move_register() {
    ecs_register(C_MOVE, sizeof(CMove), ECS_RECORD_CAPACITY, add, nullptr, update_f, nullptr, nullptr);
}

void c_move_set(CMove *move, vec3 base_position, vec3 position, i32 duration, ChangeType type) {
    // A duration below one step would divide by zero; it behaves as one step.
    duration = std::max(duration, 1);
    move->base_position = base_position;
    move->position = position;
    move->type = type;
    move->timer = duration;
    move->duration = duration;
    move->done = false;
}
