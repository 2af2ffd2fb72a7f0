#include "components/c_circle.hpp"

#include "game/game.hpp"

void c_circle_register() {
    ecs_register(C_CIRCLE, sizeof(CCircle), ECS_RECORD_CAPACITY, nullptr, nullptr, nullptr, nullptr, nullptr);
}

void c_circle_set(CCircle *circle, f32 radius) { circle->radius = radius; }
