// Colour change: moves the drawn colour of a sprite (or else a text) between two colours.
#pragma once

#include "components/change_type.hpp"
#include "ecs/ecs.hpp"

struct CColorChange {
    EntityId entity;
    vec4 base_color;
    vec4 color;
    i32 timer;
    i32 duration;
    bool done;
    ChangeType type;
};

// The component storage moves records as plain bytes.
static_assert(std::is_trivially_copyable_v<CColorChange>);

void c_color_change_register();
void c_color_change_set(CColorChange *color_change, const vec4 *base_color, const vec4 *color, i32 duration,
                        ChangeType type);
