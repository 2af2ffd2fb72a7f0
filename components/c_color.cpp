#include "components/c_color.hpp"

#include "game/game.hpp"

void c_color_register() {
    ecs_register(C_COLOR, sizeof(CColor), ECS_RECORD_CAPACITY, nullptr, nullptr, nullptr, nullptr, nullptr);
}

void c_color_set(CColor *color, i32 index) { color->color = index; }
